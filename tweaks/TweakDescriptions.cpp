#include "tweaks/TweakDescriptions.h"

#include "tweaks/NameFolding.h"

#include <cstdio>
#include <stdexcept>
#include <utility>

namespace tessel {
namespace {

struct DescribedRow
{
    std::string_view mirrorValue;
    TweakDescription description;
};

constexpr DescribedRow kDescriptions[] = {
    {"NoViewContextMenu", {"资源管理器和桌面上点鼠标右键不再弹出快捷菜单。", Timing::NextLogOn}},
    {"NoDrives",
     {"在“我的电脑”和资源管理器中隐藏 A 到 Z 的全部驱动器；在地址栏输入盘符仍可打开。撤消时删除该值，"
      "管理员原来设置的驱动器掩码也随之丢失（可用“恢复原始值”找回）。",
      Timing::NextLogOn}},
    {"Autorun", {"光驱服务不再通知光盘插入，放入光盘时不再自动运行其中的程序。", Timing::Restart}},
    {"DisableRegistryTools", {"禁止运行注册表编辑器（regedit），启动时提示已被管理员禁用。", Timing::AtOnce}},
    {"reg",
     {"把 .reg 文件改为文本文件类型：双击 .reg 文件用记事本打开，不再导入注册表。撤消时恢复为 regfile。",
      Timing::AtOnce}},
    {"NoTrayContextMenu", {"任务栏和“开始”按钮上点鼠标右键不再弹出快捷菜单。", Timing::NextLogOn}},
    {"NoDesktop", {"桌面上不再显示任何图标，包括“我的电脑”和“回收站”。", Timing::NextLogOn}},
    {"NoLogOff", {"从“开始”菜单中去掉“注销”命令。", Timing::NextLogOn}},
    {"NoSetFolders", {"从“开始”菜单的“设置”中去掉“控制面板”、“打印机”和“网络连接”。", Timing::NextLogOn}},
    {"NoRun", {"从“开始”菜单中去掉“运行”命令。", Timing::NextLogOn}},
    {"NoRecentDocsMenu", {"从“开始”菜单中去掉“文档”（最近打开的文档）子菜单。", Timing::NextLogOn}},
    {"NoFind", {"从“开始”菜单中去掉“查找”（搜索）命令。", Timing::NextLogOn}},
    {"DontDisplayLastUserName",
     {"登录窗口不再显示上次登录的用户名，每次都要输入用户名。", Timing::NextLogOn}},
    {"HomePage", {"禁止在 IE 的“Internet 选项”中更改主页。", Timing::NewWindows}},
    {"NoBrowserContextMenu", {"IE 浏览器的网页上点鼠标右键不再弹出快捷菜单。", Timing::NewWindows}},
    {"AutoShareServer", {"服务器版 Windows 不再自动创建 C$、D$ 等磁盘管理共享。", Timing::Restart}},
    {"AutoShareWks",
     {"工作站版 Windows 不再自动创建 ADMIN$ 和磁盘管理共享。注意：此项写入的是文本“0x00”，Windows 只认 "
      "DWORD 类型的 AutoShareWks，因此可能不起作用。",
      Timing::Restart}},
    {"restrictanonymous",
     {"限制匿名连接（IPC$ 空会话）：值 2 时匿名用户不能列出帐户和共享，也不能访问未明确授权的资源。",
      Timing::Restart}},
    {"1803",
     {"把 IE 的 Internet 区域（区域 3）中“文件下载”设为禁用（3），撤消时设为启用（0）。",
      Timing::NewWindows}},
    {"NoNetHood", {"桌面和资源管理器中不再显示“网上邻居”。", Timing::NextLogOn}},
    {"EnableICMPRedirects",
     {"TCP/IP 不再按收到的 ICMP 重定向报文改写路由表（0），撤消时设为接受（1）。", Timing::Restart}},
    {"SynAttackProtect",
     {"TCP/IP 开启 SYN 洪水保护（级别 2）：半开连接过多时缩短重传、推迟分配资源；撤消时设为 0。",
      Timing::Restart}},
    {"DefaultRcvWindow",
     {"设置拨号网络的 TCP 接收窗口 6400、TTL 128、MTU 576、MSS 536。这些键只有 Windows 95/98/Me "
      "读取，较新的 Windows 不使用它们。",
      Timing::Restart}},
    {"ConfigFileAllocSize",
     {"在 FileSystem 键中写入 ConfigFileAllocSize = 500，用意是优化文件系统；较新的 Windows 一般不读取此值。",
      Timing::Restart}},
    {"ForceFIFO",
     {"把软盘控制器 fdc\\0000 的 ForceFIFO 设为 0，用意是改善软驱性能；该键只有 Windows 95/98/Me 使用。",
      Timing::Restart}},
    {"MaxCachedIcons",
     {"把资源管理器的图标缓存上限设为 7500 个。注意：Windows 读取的是带空格的文本值“Max Cached "
      "Icons”，此项的名称和类型与之不同，因此可能不起作用。",
      Timing::NextLogOn}},
    {"AutoEndTasks", {"关机或注销时自动结束停止响应的程序，不再询问；撤消时写入“0”。", Timing::NextLogOn}},
};

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
    for (const DescribedRow& row : kDescriptions)
        if (row.mirrorValue == tweak.mirrorValue)
            return row.description;
    throw std::out_of_range("no description for " + std::string(tweak.mirrorValue));
}

std::string_view ScopeText(Hive hive)
{
    return hive == Hive::CurrentUser ? "当前用户" : "本机";
}

bool NeedsAdministrator(const TweakEntry& tweak)
{
    return tweak.hive == Hive::LocalMachine;
}

std::string_view TimingText(Timing timing)
{
    switch (timing) {
    case Timing::AtOnce:
        return "立即生效";
    case Timing::NewWindows:
        return "对之后新打开的窗口生效";
    case Timing::NextLogOn:
        return "下次登录后生效";
    case Timing::Restart:
        return "重新启动后生效";
    }
    return {};
}

std::string_view HiveName(Hive hive)
{
    return hive == Hive::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

std::string ValueLocation(Hive hive, std::string_view keyPath, std::string_view valueName)
{
    std::string text(HiveName(hive));
    text += '\\';
    text += ToUtf8(keyPath);
    text += '\\';
    text += valueName.empty() ? std::string("(默认)") : ToUtf8(valueName);
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
        const std::uint32_t bits =
            data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
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

bool ActionValue(const TweakAction& action, RegValue& value)
{
    value = {};
    switch (action.kind) {
    case ActionKind::Dword: {
        const auto bits = static_cast<std::uint32_t>(action.dword);
        value.type = regtype::Dword;
        value.data = {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                      static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
        return true;
    }
    case ActionKind::Text:
        value.type = regtype::Sz;
        value.data.assign(action.data.begin(), action.data.end());
        value.data.push_back(0);
        return true;
    case ActionKind::Bytes:
        value.type = regtype::Binary;
        value.data.assign(action.data.begin(), action.data.end());
        return true;
    case ActionKind::Delete:
        return false;
    }
    return false;
}

std::string ActionText(const TweakAction& action)
{
    RegValue value;
    return ActionValue(action, value) ? ValueText(value) : std::string("删除");
}

std::string DescriptionText(const TweakEntry& tweak)
{
    const TweakDescription& description = Describe(tweak);
    std::string text(description.text);
    text += "\n范围：";
    text += ScopeText(tweak.hive);
    text += NeedsAdministrator(tweak) ? "（需要管理员权限）" : "（不需要管理员权限）";
    text += "\n生效：";
    text += TimingText(description.timing);
    for (const TweakWrite& write : tweak.writes) {
        text += '\n' + ValueLocation(tweak.hive, write.keyPath, write.valueName);
        text += "\n    应用：" + ActionText(write.applied);
        text += "\n    撤消：" + ActionText(write.reverted);
    }
    return text;
}

} // namespace tessel
