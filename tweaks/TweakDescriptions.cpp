#include "tweaks/TweakDescriptions.h"

#include "tweaks/NameFolding.h"

#include <cstdio>
#include <iterator>
#include <stdexcept>
#include <utility>

namespace tessel {
namespace {

// One row per tweak, in catalogue order; the mirror name is there for the reader
// and is checked against the row.
struct DescribedRow
{
    std::string_view mirrorValue;
    TweakDescription description;
};

constexpr DescribedRow kDescriptions[] = {
    {"NoViewContextMenu",
     {"资源管理器和桌面上点鼠标右键不再弹出快捷菜单。", Timing::NextLogOn, "Disable right-click menus",
      "Right-clicking in Explorer and on the desktop no longer opens a shortcut menu."}},
    {"NoDrives",
     {"在“我的电脑”和资源管理器中隐藏 A 到 Z 的全部驱动器；在地址栏输入盘符仍可打开。撤消时删除该值，"
      "管理员原来设置的驱动器掩码也随之丢失（可用“恢复原始值”找回）。",
      Timing::NextLogOn, "Hide all drives",
      "Hides every drive from A to Z in My Computer and Explorer; a drive letter typed into the address bar "
      "still opens. Reverting deletes the value, so a drive mask that an administrator had set is lost as "
      "well (the window's \"恢复原始值\" brings it back)."}},
    {"Autorun",
     {"光驱服务不再通知光盘插入，放入光盘时不再自动运行其中的程序。", Timing::Restart,
      "Disable CD-ROM autorun",
      "The CD-ROM driver no longer reports inserted discs, so programs on a disc no longer start "
      "automatically when it is inserted."}},
    {"DisableRegistryTools",
     {"禁止运行注册表编辑器（regedit），启动时提示已被管理员禁用。", Timing::AtOnce,
      "Disable Registry Editor",
      "Registry Editor (regedit) can no longer be run; starting it reports that an administrator has "
      "disabled it."}},
    {"reg",
     {"把 .reg 文件改为文本文件类型：双击 .reg 文件用记事本打开，不再导入注册表。撤消时恢复为 regfile。",
      Timing::AtOnce, "Disable .reg files",
      "Turns .reg files into text files: double-clicking a .reg file opens it in Notepad instead of "
      "importing it into the registry. Reverting sets the file type back to regfile."}},
    {"NoTrayContextMenu",
     {"任务栏和“开始”按钮上点鼠标右键不再弹出快捷菜单。", Timing::NextLogOn,
      "Disable the taskbar's right-click menu",
      "Right-clicking the taskbar or the Start button no longer opens a shortcut menu."}},
    {"NoDesktop",
     {"桌面上不再显示任何图标，包括“我的电脑”和“回收站”。", Timing::NextLogOn, "Hide desktop icons",
      "The desktop shows no icons at all, My Computer and the Recycle Bin included."}},
    {"NoLogOff",
     {"从“开始”菜单中去掉“注销”命令。", Timing::NextLogOn, "Remove Log Off from the Start menu",
      "Removes the Log Off command from the Start menu."}},
    {"NoSetFolders",
     {"从“开始”菜单的“设置”中去掉“控制面板”、“打印机”和“网络连接”。", Timing::NextLogOn,
      "Remove Control Panel from the Start menu",
      "Removes Control Panel, Printers and Network Connections from Settings in the Start menu."}},
    {"NoRun",
     {"从“开始”菜单中去掉“运行”命令。", Timing::NextLogOn, "Remove Run from the Start menu",
      "Removes the Run command from the Start menu."}},
    {"NoRecentDocsMenu",
     {"从“开始”菜单中去掉“文档”（最近打开的文档）子菜单。", Timing::NextLogOn,
      "Remove Documents from the Start menu",
      "Removes the Documents submenu (recently opened documents) from the Start menu."}},
    {"NoFind",
     {"从“开始”菜单中去掉“查找”（搜索）命令。", Timing::NextLogOn, "Remove Find from the Start menu",
      "Removes the Find (Search) command from the Start menu."}},
    {"DontDisplayLastUserName",
     {"登录窗口不再显示上次登录的用户名，每次都要输入用户名。", Timing::NextLogOn,
      "Do not show the last user name at log-on",
      "The log-on screen no longer shows the name of the user who logged on last; the user name has to be "
      "typed every time."}},
    {"HomePage",
     {"禁止在 IE 的“Internet 选项”中更改主页。", Timing::NewWindows, "Lock Internet Explorer's home page",
      "The home page can no longer be changed in Internet Explorer's Internet Options."}},
    {"NoBrowserContextMenu",
     {"IE 浏览器的网页上点鼠标右键不再弹出快捷菜单。", Timing::NewWindows,
      "Disable Internet Explorer's right-click menu",
      "Right-clicking a web page in Internet Explorer no longer opens a shortcut menu."}},
    {"AutoShareServer",
     {"服务器版 Windows 不再自动创建 C$、D$ 等磁盘管理共享。", Timing::Restart,
      "Disable the C$, D$ default shares",
      "Server editions of Windows no longer create the administrative disk shares C$, D$ and so on by "
      "themselves."}},
    {"AutoShareWks",
     {"工作站版 Windows 不再自动创建 ADMIN$ 和磁盘管理共享。注意：此项写入的是文本“0x00”，Windows 只认 "
      "DWORD 类型的 AutoShareWks，因此可能不起作用。",
      Timing::Restart, "Disable the ADMIN$ default share",
      "Workstation editions of Windows no longer create ADMIN$ and the administrative disk shares by "
      "themselves. Note: this row writes the text \"0x00\", while Windows reads AutoShareWks only as a "
      "DWORD, so it may have no effect."}},
    {"restrictanonymous",
     {"限制匿名连接（IPC$ 空会话）：值 2 时匿名用户不能列出帐户和共享，也不能访问未明确授权的资源。",
      Timing::Restart, "Restrict IPC$ anonymous access",
      "Restricts anonymous connections (IPC$ null sessions): with the value 2, anonymous users can neither "
      "list accounts and shares nor reach resources they have not been granted explicitly."}},
    {"1803",
     {"把 IE 的 Internet 区域（区域 3）中“文件下载”设为禁用（3），撤消时设为启用（0）。", Timing::NewWindows,
      "Disable file downloads in Internet Explorer",
      "Sets \"File download\" in Internet Explorer's Internet zone (zone 3) to disabled (3); reverting sets "
      "it to enabled (0)."}},
    {"NoNetHood",
     {"桌面和资源管理器中不再显示“网上邻居”。", Timing::NextLogOn, "Hide Network Neighborhood",
      "Network Neighborhood no longer appears on the desktop or in Explorer."}},
    {"EnableICMPRedirects",
     {"TCP/IP 不再按收到的 ICMP 重定向报文改写路由表（0），撤消时设为接受（1）。", Timing::Restart,
      "Ignore ICMP redirects",
      "TCP/IP no longer changes its routing table when ICMP redirect messages arrive (0); reverting accepts "
      "them again (1)."}},
    {"SynAttackProtect",
     {"TCP/IP 开启 SYN 洪水保护（级别 2）：半开连接过多时缩短重传、推迟分配资源；撤消时设为 0。",
      Timing::Restart, "Protect against SYN floods",
      "Turns on TCP/IP's SYN flood protection (level 2): when too many connections are half open, "
      "retransmissions are cut short and resources are allocated later; reverting sets it to 0."}},
    {"DefaultRcvWindow",
     {"设置拨号网络的 TCP 接收窗口 6400、TTL 128、MTU 576、MSS 536。这些键只有 Windows 95/98/Me "
      "读取，较新的 Windows 不使用它们。",
      Timing::Restart, "Speed up dial-up networking",
      "Sets dial-up networking's TCP receive window to 6400, the TTL to 128, the MTU to 576 and the MSS to "
      "536. Only Windows 95/98/Me reads these keys; later versions of Windows do not use them."}},
    {"ConfigFileAllocSize",
     {"在 FileSystem 键中写入 ConfigFileAllocSize = 500，用意是优化文件系统；较新的 Windows 一般不读取此值。",
      Timing::Restart, "Optimise the file system",
      "Writes ConfigFileAllocSize = 500 into the FileSystem key, meant to optimise the file system; later "
      "versions of Windows generally do not read this value."}},
    {"ForceFIFO",
     {"把软盘控制器 fdc\\0000 的 ForceFIFO 设为 0，用意是改善软驱性能；该键只有 Windows 95/98/Me 使用。",
      Timing::Restart, "Optimise floppy drive performance",
      "Sets ForceFIFO of the floppy controller fdc\\0000 to 0, meant to improve the floppy drive's "
      "performance; only Windows 95/98/Me uses this key."}},
    {"MaxCachedIcons",
     {"把资源管理器的图标缓存上限设为 7500 个。注意：Windows 读取的是带空格的文本值“Max Cached "
      "Icons”，此项的名称和类型与之不同，因此可能不起作用。",
      Timing::NextLogOn, "Raise the icon cache limit",
      "Sets Explorer's icon cache limit to 7500 icons. Note: Windows reads the text value \"Max Cached "
      "Icons\" (with spaces); this row's value differs from it in name and kind, so it may have no effect."}},
    {"AutoEndTasks",
     {"关机或注销时自动结束停止响应的程序，不再询问；撤消时写入“0”。", Timing::NextLogOn,
      "End programs that stop responding",
      "At shutdown or log-off, programs that have stopped responding are ended automatically without asking; "
      "reverting writes \"0\"."}},
};
static_assert(std::size(kDescriptions) == kTweakCount, "every tweak has its description");

// The words around a description, per language.
struct Labels
{
    std::string_view scopes[2]; // current user, this machine
    std::string_view scope;
    std::string_view needsAdministrator;
    std::string_view noAdministrator;
    std::string_view timing;
    std::string_view timings[4]; // in the order of Timing
    std::string_view applied;
    std::string_view reverted;
    std::string_view deleted;
    std::string_view defaultValue;
};

constexpr Labels kLabels[] = {
    {{"当前用户", "本机"},
     "\n范围：",
     "（需要管理员权限）",
     "（不需要管理员权限）",
     "\n生效：",
     {"立即生效", "对之后新打开的窗口生效", "下次登录后生效", "重新启动后生效"},
     "\n    应用：",
     "\n    撤消：",
     "删除",
     "(默认)"},
    {{"the current user", "this computer"},
     "\nScope: ",
     " (needs administrator rights)",
     " (no administrator rights needed)",
     "\nTakes effect: ",
     {"at once", "in windows opened afterwards", "at the next log-on", "after a restart"},
     "\n    Applied: ",
     "\n    Reverted: ",
     "delete",
     "(Default)"},
};

constexpr std::string_view kEnglishTabs[] = {"Feature restrictions", "Network security",
                                             "Performance tuning"};
static_assert(std::size(kEnglishTabs) == std::size(kTabCaptions), "every tab has its English name");

const Labels& LabelsFor(Language language)
{
    return kLabels[language == Language::English ? 1 : 0];
}

std::string Hex32(std::uint32_t value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", value);
    return buffer;
}

std::string ToUtf8(std::string_view ansi)
{
    return IsValidAnsiName(ansi) ? AnsiToUtf8(ansi) : std::string(ansi);
}

} // namespace

const TweakDescription& Describe(const TweakEntry& tweak)
{
    const DescribedRow& row = kDescriptions[RowIndex(tweak)];
    if (row.mirrorValue != tweak.mirrorValue)
        throw std::logic_error("the description of row " + std::string(tweak.mirrorValue) +
                               " is out of place");
    return row.description;
}

std::string_view TweakTitle(const TweakEntry& tweak, Language language)
{
    return language == Language::English ? Describe(tweak).englishTitle : tweak.caption;
}

std::string_view TabTitle(int tab, Language language)
{
    if (tab < 1 || tab > static_cast<int>(std::size(kTabCaptions)))
        throw std::out_of_range("no tab " + std::to_string(tab));
    return language == Language::English ? kEnglishTabs[tab - 1] : kTabCaptions[tab - 1];
}

std::string_view ScopeText(Hive hive, Language language)
{
    return LabelsFor(language).scopes[hive == Hive::CurrentUser ? 0 : 1];
}

bool NeedsAdministrator(const TweakEntry& tweak)
{
    return tweak.hive == Hive::LocalMachine;
}

std::string_view TimingText(Timing timing, Language language)
{
    return LabelsFor(language).timings[static_cast<int>(timing)];
}

std::string_view HiveName(Hive hive)
{
    return hive == Hive::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

std::string ValueLocation(Hive hive, std::string_view keyPath, std::string_view valueName, Language language)
{
    std::string text(HiveName(hive));
    text += '\\';
    text += ToUtf8(keyPath);
    text += '\\';
    text += valueName.empty() ? std::string(LabelsFor(language).defaultValue) : ToUtf8(valueName);
    return text;
}

std::string RowLocations(const TweakEntry& tweak)
{
    std::string text;
    for (const TweakWrite& write : tweak.writes) {
        if (!text.empty())
            text += '\n';
        text += ValueLocation(tweak.hive, write.keyPath, write.valueName);
    }
    return text;
}

std::string KindName(std::uint32_t type)
{
    switch (type) {
    case regtype::None:
        return "REG_NONE";
    case regtype::Sz:
        return "REG_SZ";
    case regtype::ExpandSz:
        return "REG_EXPAND_SZ";
    case regtype::Binary:
        return "REG_BINARY";
    case regtype::Dword:
        return "REG_DWORD";
    case regtype::MultiSz:
        return "REG_MULTI_SZ";
    default:
        return "REG_" + std::to_string(type);
    }
}

std::string ValueText(const RegValue& value)
{
    const auto& data = value.data;
    std::string text = KindName(value.type);
    if (value.type == regtype::Dword && data.size() == 4) {
        const std::uint32_t bits = DwordFromBytes(data.data());
        text += ' ' + Hex32(bits) + " (" + std::to_string(static_cast<std::int32_t>(bits)) + ')';
        return text;
    }
    if (value.type == regtype::Sz || value.type == regtype::ExpandSz) {
        std::string raw(data.begin(), data.end());
        raw = raw.substr(0, raw.find('\0'));
        return text + " \"" + ToUtf8(raw) + '"';
    }
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (std::uint8_t byte : data) {
        text += ' ';
        text += kDigits[byte >> 4];
        text += kDigits[byte & 15];
    }
    if (data.empty())
        text += " (空)";
    return text;
}

std::string ActionText(const TweakAction& action, Language language)
{
    RegValue value;
    return ActionValue(action, value) ? ValueText(value) : std::string(LabelsFor(language).deleted);
}

std::string DescriptionText(const TweakEntry& tweak, Language language)
{
    const TweakDescription& description = Describe(tweak);
    const Labels& labels = LabelsFor(language);
    std::string text(language == Language::English ? description.englishText : description.text);
    text += labels.scope;
    text += ScopeText(tweak.hive, language);
    text += NeedsAdministrator(tweak) ? labels.needsAdministrator : labels.noAdministrator;
    text += labels.timing;
    text += TimingText(description.timing, language);
    for (const TweakWrite& write : tweak.writes) {
        text += '\n' + ValueLocation(tweak.hive, write.keyPath, write.valueName, language);
        text += std::string(labels.applied) + ActionText(write.applied, language);
        text += std::string(labels.reverted) + ActionText(write.reverted, language);
    }
    return text;
}

} // namespace tessel
