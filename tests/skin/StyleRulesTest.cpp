#include "skin/SuiStyleRules.h"

#include <QWidget>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}

class FakeForm : public QWidget, public TsuiStyledForm
{
public:
    FakeForm(QWidget* parent, TsuiUIStyle style, TColor color)
        : QWidget(parent), m_style(style), m_color(color)
    {
    }
    TsuiUIStyle FormUIStyle() const override { return m_style; }
    TColor FormColor() const override { return m_color; }

private:
    TsuiUIStyle m_style;
    TColor m_color;
};

class Styled : public QWidget
{
public:
    Styled(QWidget* parent, std::string name, TsuiUIStyle style = WinXP)
        : QWidget(parent), Name(std::move(name)), Style(style)
    {
    }
    TsuiUIStyle UIStyle() const { return Style; }
    void SetUIStyle(TsuiUIStyle style)
    {
        Style = style;
        Log().push_back(Name + ":style");
    }
    std::string Name;
    TsuiUIStyle Style;
};

class FakeButton : public Styled
{
    using Styled::Styled;
};
class FakeCheckBox : public Styled
{
    using Styled::Styled;
};
class FakeRadioButton : public FakeCheckBox
{
    using FakeCheckBox::FakeCheckBox;
};
class FakePageControl : public Styled
{
    using Styled::Styled;
};

class FakeEdit : public QWidget
{
public:
    using QWidget::QWidget;
    void SetBorderColor(TColor color) { Border = color; }
    TColor Border = clNone;
};

class FakeGroupBox : public Styled
{
public:
    using Styled::Styled;
    TColor Border = clNone, FontColor = clNone, Face = clNone;
    void UpdateUIStyle(TsuiUIStyle style);
};

// Has UpdateUIStyle like the group box but is not a registered sub-container.
class FakeCheckGroup : public FakeGroupBox
{
public:
    using FakeGroupBox::FakeGroupBox;
};

void FakeGroupBox::UpdateUIStyle(TsuiUIStyle style)
{
    Log().push_back(Name + ":update");
    ContainerApplyUIStyle(this, style);
}

// The rules as the real components register them.
void RegisterFakes()
{
    RegisterStyleUnlessCustom<FakeRadioButton>();
    RegisterStyleUnlessCustom<FakeCheckBox>();
    RegisterStyleUnlessCustom<FakeButton>();
    RegisterBorderColorRule<FakeEdit>();
    RegisterContainerRule<FakeGroupBox>(TsuiRuleSlot::GroupBox, [](FakeGroupBox& box, TsuiUIStyle style) {
        box.Border = GetThemeColor(style, 8);
        box.FontColor = GetThemeColor(style, 10);
        box.Face = GetThemeColor(style, 9);
        Log().push_back(box.Name + ":group");
    });
    RegisterStyleAlways<FakePageControl>();
    RegisterSubContainer<FakeGroupBox>();
}

// Registered once at start-up, the way a component's .cpp does it.
class StartupStyled : public Styled
{
    using Styled::Styled;
};
const TsuiRuleRegistrar startupRules([] { RegisterStyleAlways<StartupStyled>(); });

class StyleRules : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakes();
        Log().clear();
    }
};

} // namespace

TEST(FormLookups, WithoutASkinnedFrame)
{
    QWidget form;
    new QWidget(&form);
    EXPECT_EQ(GetSUIFormStyle(&form), DeepBlue);
    EXPECT_EQ(GetSUIFormColor(&form), 0x8000000Fu);
    EXPECT_EQ(GetBorderColor(&form), clBlack);
    EXPECT_EQ(GetSUIFormStyle(nullptr), DeepBlue);
}

TEST(FormLookups, FirstDirectChildFrameWins)
{
    QWidget form;
    auto* panel = new QWidget(&form);
    new FakeForm(panel, MacOS, clRed); // nested: not a child of the form
    new FakeForm(&form, WinXP, clAqua);
    new FakeForm(&form, Protein, clLime);
    EXPECT_EQ(GetSUIFormStyle(&form), WinXP);
    EXPECT_EQ(GetSUIFormColor(&form), clAqua);
    EXPECT_EQ(GetBorderColor(&form), 0x686868u);

    QWidget custom;
    new FakeForm(&custom, Custom, clYellow);
    EXPECT_EQ(GetSUIFormStyle(&custom), Custom);
    EXPECT_EQ(GetBorderColor(&custom), clBlack);
}

TEST_F(StyleRules, CustomButtonsKeepTheirStylePageControlsAlwaysFollow)
{
    QWidget container;
    auto* custom = new FakeButton(&container, "customButton", Custom);
    auto* button = new FakeButton(&container, "button", MacOS);
    auto* page = new FakePageControl(&container, "page", Custom);
    auto* edit = new FakeEdit(&container);
    ContainerApplyUIStyle(&container, Protein);
    EXPECT_EQ(custom->Style, Custom);
    EXPECT_EQ(button->Style, Protein);
    EXPECT_EQ(page->Style, Protein);
    EXPECT_EQ(edit->Border, GetThemeColor(Protein, 8));
    EXPECT_EQ(Log(), (std::vector<std::string>{"button:style", "page:style"}));
}

TEST_F(StyleRules, RadioButtonIsRestyledAsBothClassesAndRulesRunInSlotOrder)
{
    QWidget container;
    auto* radio = new FakeRadioButton(&container, "radio", MacOS);
    auto* group = new FakeGroupBox(&container, "group", MacOS);
    ContainerApplyUIStyle(&container, WinXP);
    EXPECT_EQ(radio->Style, WinXP);
    EXPECT_EQ(Log(), (std::vector<std::string>{"radio:style", "radio:style", "group:group"}));
    EXPECT_EQ(group->Border, 0x686868u);
    EXPECT_EQ(group->FontColor, 0xCF4602u);
    EXPECT_EQ(group->Face, 0xDEEBEFu);
    EXPECT_EQ(group->Style, MacOS) << "a group box takes colours, not the style";
}

TEST_F(StyleRules, ContainerRuleDoesNotDescend)
{
    QWidget container;
    auto* group = new FakeGroupBox(&container, "group");
    auto* inner = new FakeButton(group, "inner", MacOS);
    ContainerApplyUIStyle(&container, BlueGlass);
    EXPECT_EQ(inner->Style, MacOS);
}

TEST_F(StyleRules, SubContainersRestyleTheirOwnChildrenOnly)
{
    QWidget container;
    auto* direct = new FakeButton(&container, "direct", MacOS);
    auto* group = new FakeGroupBox(&container, "group");
    auto* inGroup = new FakeButton(group, "inGroup", MacOS);
    auto* nestedGroup = new FakeGroupBox(group, "nested");
    auto* deep = new FakeButton(nestedGroup, "deep", MacOS);
    auto* checkGroup = new FakeCheckGroup(&container, "checkGroup");
    auto* inCheckGroup = new FakeButton(checkGroup, "inCheckGroup", MacOS);

    SubContainerApplyUIStyle(&container, DeepBlue);
    EXPECT_EQ(direct->Style, MacOS) << "the container's own children are the other function's job";
    EXPECT_EQ(inGroup->Style, DeepBlue);
    EXPECT_EQ(deep->Style, MacOS) << "two levels down is not visited";
    // A check group derives from the group box here, so it is reached too.
    EXPECT_EQ(inCheckGroup->Style, DeepBlue);
    EXPECT_EQ(std::count(Log().begin(), Log().end(), "group:update"), 1);
    EXPECT_EQ(std::count(Log().begin(), Log().end(), "nested:update"), 0);
}

TEST_F(StyleRules, RulesRegisteredAtStartupApply)
{
    QWidget container;
    auto* child = new StartupStyled(&container, "startup", Custom);
    ContainerApplyUIStyle(&container, MacOS);
    EXPECT_EQ(child->Style, MacOS);
}

TEST_F(StyleRules, RegisteringAgainReplacesTheRule)
{
    int calls = 0;
    RegisterContainerRule<FakeEdit>(TsuiRuleSlot::BorderColor, [&](FakeEdit& edit, TsuiUIStyle) {
        ++calls;
        edit.Border = clFuchsia;
    });
    QWidget container;
    auto* edit = new FakeEdit(&container);
    ContainerApplyUIStyle(&container, WinXP);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(edit->Border, clFuchsia);
    RegisterFakes(); // the replacement refers to this test's locals
}
