#include "skin/SuiButton.h"
#include "skin/SuiCheckGroup.h"
#include "skin/SuiColorBox.h"
#include "skin/SuiComboBox.h"
#include "skin/SuiEdit.h"
#include "skin/SuiFontComboBox.h"
#include "skin/SuiGrid.h"
#include "skin/SuiListBox.h"
#include "skin/SuiPageControl.h"
#include "skin/SuiProgressBar.h"
#include "skin/SuiScrollBar.h"
#include "skin/SuiSideChannel.h"
#include "skin/SuiStyleRules.h"
#include "skin/SuiToolBar.h"

#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

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

// --- the rules of the real components ----------------------------------------

TEST(ComponentRules, WhatAContainerDoesToEachKindOfChild)
{
    QWidget container;
    auto* custom = new TsuiButton(&container);
    custom->SetUIStyle(Custom);
    auto* button = new TsuiButton(&container);
    button->SetUIStyle(MacOS);
    auto* radio = new TsuiRadioButton(&container);
    radio->SetUIStyle(MacOS);
    auto* customBox = new TsuiCheckBox(&container);
    customBox->SetUIStyle(Custom);
    auto* customBar = new TsuiProgressBar(&container);
    customBar->SetUIStyle(Custom);
    auto* progress = new TsuiProgressBar(&container);
    auto* pages = new TsuiPageControl(&container);
    pages->SetUIStyle(MacOS);
    auto* tabs = new TsuiTabControl(&container);
    auto* track = new TsuiTrackBar(&container);
    track->SetUIStyle(Custom);
    auto* scroll = new TsuiScrollBar(&container);
    auto* group = new TsuiCheckGroup(&container);
    auto* edit = new TsuiEdit(&container);
    auto* memo = new TsuiMemo(&container);
    auto* box = new TsuiGroupBox(&container);
    auto* panel = new TsuiImagePanel(&container);

    ContainerApplyUIStyle(&container, Protein);
    EXPECT_EQ(custom->UIStyle(), Custom);
    EXPECT_EQ(customBar->UIStyle(), Custom);
    EXPECT_EQ(customBox->UIStyle(), Custom);
    for (const TsuiUIStyle style :
         {button->UIStyle(), radio->UIStyle(), progress->UIStyle(), pages->UIStyle(), tabs->UIStyle(),
          track->UIStyle(), scroll->UIStyle(), group->UIStyle()})
        EXPECT_EQ(style, Protein);
    EXPECT_EQ(progress->BorderColor(), GetThemeColor(Protein, teControlBorderColor));
    EXPECT_EQ(scroll->Color(), GetThemeColor(Protein, teScrollBarColor));
    EXPECT_EQ(edit->BorderColor(), GetThemeColor(Protein, teControlBorderColor));
    EXPECT_EQ(memo->BorderColor(), GetThemeColor(Protein, teControlBorderColor));
    ContainerApplyUIStyle(&container, WinXP);
    EXPECT_EQ(box->BorderColor(), GetThemeColor(WinXP, teControlBorderColor));
    EXPECT_EQ(box->Font().Color, GetThemeColor(WinXP, teGroupFontColor));
    EXPECT_EQ(box->Color(), GetThemeColor(WinXP, teControlColor));
    EXPECT_EQ(panel->Color(), clBtnFace) << "a picture panel keeps its look";
}

TEST(ComponentRules, SubContainersRestyleTheirOwnChildrenOnly)
{
    QWidget container;
    const auto buttonIn = [](QWidget* parent) {
        auto* button = new TsuiButton(parent);
        button->SetUIStyle(MacOS);
        return button;
    };
    TsuiButton* direct = buttonIn(&container);
    auto* box = new TsuiGroupBox(&container);
    TsuiButton* inBox = buttonIn(box);
    auto* nested = new TsuiGroupBox(box);
    TsuiButton* deep = buttonIn(nested);
    auto* panel = new TsuiImagePanel(&container);
    TsuiButton* inPanel = buttonIn(panel);
    auto* tabs = new TsuiTabControl(&container);
    TsuiButton* onTabs = buttonIn(tabs);
    auto* pages = new TsuiPageControl(&container);
    auto* sheet = new TsuiTabSheet(pages);
    TsuiButton* onSheet = buttonIn(sheet);
    auto* looseSheet = new TsuiTabSheet();
    looseSheet->setParent(&container);
    TsuiButton* onLooseSheet = buttonIn(looseSheet);
    // A check group is a group box of its own kind: not a sub-container.
    auto* group = new TsuiCheckGroup(&container);
    TsuiButton* inGroup = buttonIn(group);

    SubContainerApplyUIStyle(&container, DeepBlue);
    EXPECT_EQ(direct->UIStyle(), MacOS) << "the container's own children are the other function's job";
    EXPECT_EQ(inBox->UIStyle(), DeepBlue);
    EXPECT_EQ(deep->UIStyle(), MacOS) << "two levels down is not visited";
    EXPECT_EQ(inPanel->UIStyle(), DeepBlue);
    EXPECT_EQ(onTabs->UIStyle(), DeepBlue);
    EXPECT_EQ(onLooseSheet->UIStyle(), DeepBlue);
    EXPECT_EQ(onSheet->UIStyle(), MacOS) << "pages are reached through their page control's style";
    EXPECT_EQ(inGroup->UIStyle(), MacOS);

    ContainerApplyUIStyle(&container, BlueGlass);
    EXPECT_EQ(onSheet->UIStyle(), BlueGlass);
    EXPECT_EQ(inGroup->UIStyle(), MacOS) << "the check group styles only its own buttons";
}

// The kinds the test above leaves out: each must have its row in the table.
TEST(ComponentRules, EveryOtherSkinnedKindHasItsRule)
{
    QWidget container;
    const std::vector<std::pair<const char*, std::function<TsuiUIStyle()>>> styled = {
        {"combo box", [c = new TsuiComboBox(&container)] { return c->UIStyle(); }},
        {"colour box", [c = new TsuiColorBox(&container)] { return c->UIStyle(); }},
        {"font combo box", [c = new TsuiFontComboBox(&container)] { return c->UIStyle(); }},
        {"font size combo box", [c = new TsuiFontSizeComboBox(&container)] { return c->UIStyle(); }},
        {"tool bar", [c = new TsuiToolBar(&container)] { return c->UIStyle(); }},
        {"draw grid", [c = new TsuiDrawGrid(&container)] { return c->UIStyle(); }},
        {"string grid", [c = new TsuiStringGrid(&container)] { return c->UIStyle(); }},
    };
    const std::vector<std::pair<const char*, std::function<TColor()>>> bordered = {
        {"list box", [c = new TsuiListBox(&container)] { return c->BorderColor(); }},
        {"check list box", [c = new TsuiCheckListBox(&container)] { return c->BorderColor(); }},
        {"list view", [c = new TsuiListView(&container)] { return c->BorderColor(); }},
        {"tree view", [c = new TsuiTreeView(&container)] { return c->BorderColor(); }},
    };
    auto* channel = new TsuiSideChannel(&container);

    ContainerApplyUIStyle(&container, MacOS);
    for (const auto& [kind, style] : styled)
        EXPECT_EQ(style(), MacOS) << kind;
    for (const auto& [kind, border] : bordered)
        EXPECT_EQ(border(), 0x7F7F7Fu) << kind;
    EXPECT_EQ(channel->Color(), 0xE7E7E7u);
    EXPECT_EQ(channel->SideBarColor(), 0xE7E7E7u);
}
