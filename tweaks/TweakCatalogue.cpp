#include "tweaks/TweakCatalogue.h"

#include <algorithm>
#include <array>
#include <functional>
#include <stdexcept>

namespace tessel {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr std::string_view kLanman = "SYSTEM\\CurrentControlSet\\Services\\lanmanserver\\parameters";
constexpr std::string_view kTcpip = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";

constexpr TweakAction Dword(std::int32_t value)
{
    return {ActionKind::Dword, value, {}};
}
constexpr TweakAction Text(std::string_view text)
{
    return {ActionKind::Text, 0, text};
}
constexpr TweakAction kFlagBytes{ActionKind::Bytes, 0, "\x01\0\0\0"sv};
constexpr TweakAction kDelete{};

// A value that is set when applied and removed when reverted, under Explorer policies.
constexpr TweakWrite Policy(std::string_view name, TweakAction applied)
{
    return {kExplorer, name, applied, kDelete};
}

constexpr TweakWrite kNoViewContextMenu[] = {Policy("NoViewContextMenu", kFlagBytes)};
constexpr TweakWrite kNoDrives[] = {Policy("NoDrives", Dword(-1))};
constexpr TweakWrite kAutorun[] = {
    {"SYSTEM\\CurrentControlSet\\Services\\Cdrom", "Autorun", Dword(0), Dword(1)}};
constexpr TweakWrite kDisableRegistryTools[] = {
    {"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", "DisableRegistryTools", Dword(1),
     kDelete}};
constexpr TweakWrite kReg[] = {{"Software\\CLASSES\\.reg", "", Text("txtfile"), Text("regfile")}};
constexpr TweakWrite kNoTrayContextMenu[] = {Policy("NoTrayContextMenu", Dword(1))};
constexpr TweakWrite kNoDesktop[] = {Policy("NoDesktop", Dword(1))};
constexpr TweakWrite kNoLogOff[] = {Policy("NoLogOff", kFlagBytes)};
constexpr TweakWrite kNoSetFolders[] = {Policy("NoSetFolders", kFlagBytes)};
constexpr TweakWrite kNoRun[] = {Policy("NoRun", Dword(1))};
constexpr TweakWrite kNoRecentDocsMenu[] = {Policy("NoRecentDocsMenu", Dword(1))};
constexpr TweakWrite kNoFind[] = {Policy("NoFind", Dword(1))};
constexpr TweakWrite kDontDisplayLastUserName[] = {
    {"Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon", "DontDisplayLastUserName", Dword(1), kDelete}};
constexpr TweakWrite kHomePage[] = {
    {"Software\\Policies\\Microsoft\\Internet Explorer\\Control Panel", "HomePage", Dword(1), kDelete}};
constexpr TweakWrite kNoBrowserContextMenu[] = {
    {"Software\\Policies\\Microsoft\\Internet Explorer\\Restrictions", "NoBrowserContextMenu", Dword(1),
     kDelete}};
constexpr TweakWrite kAutoShareServer[] = {{kLanman, "AutoShareServer", Dword(0), kDelete}};
constexpr TweakWrite kAutoShareWks[] = {{kLanman, "AutoShareWks", Text("0x00"), kDelete}};
constexpr TweakWrite kRestrictAnonymous[] = {
    {"SYSTEM\\CurrentControlSet\\Control\\Lsa", "restrictanonymous", Dword(2), kDelete}};
constexpr TweakWrite k1803[] = {{"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3",
                                 "1803", Dword(3), Dword(0)}};
constexpr TweakWrite kNoNetHood[] = {Policy("NoNetHood", Dword(1))};
constexpr TweakWrite kEnableICMPRedirects[] = {{kTcpip, "EnableICMPRedirects", Dword(0), Dword(1)}};
constexpr TweakWrite kSynAttackProtect[] = {{kTcpip, "SynAttackProtect", Dword(2), Dword(0)}};
constexpr std::string_view kMstcp = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
constexpr std::string_view kNetTrans = "System\\CurrentControlSet\\Services\\Class\\NetTrans";
constexpr TweakWrite kDefaultRcvWindow[] = {
    {kMstcp, "DefaultRcvWindow", Dword(6400), kDelete},
    {kMstcp, "DefaultTTL", Dword(128), kDelete},
    {kNetTrans, "MaxMTU", Dword(576), kDelete},
    {kNetTrans, "MaxMSS", Dword(536), kDelete},
};
constexpr TweakWrite kConfigFileAllocSize[] = {
    {"System\\CurrentControlSet\\Control\\FileSystem", "ConfigFileAllocSize", Dword(500), kDelete}};
constexpr TweakWrite kForceFIFO[] = {
    {"System\\CurrentControlSet\\Services\\Class\\fdc\\0000", "ForceFIFO", Dword(0), kDelete}};
constexpr TweakWrite kMaxCachedIcons[] = {
    {"Software\\Microsoft\\Windows\\CurrentVersion\\explorer", "MaxCachedIcons", Dword(7500), kDelete}};
constexpr TweakWrite kAutoEndTasks[] = {{"Control Panel\\Desktop", "AutoEndTasks", Text("1"), Text("0")}};

constexpr Hive CU = Hive::CurrentUser;
constexpr Hive LM = Hive::LocalMachine;

constexpr std::array<TweakEntry, kTweakCount> kCatalogue{{
    {1, "SnCheckBox1", "禁止使用鼠标右键", "NoViewContextMenu", CU, kNoViewContextMenu, 1, 2},
    {1, "SnCheckBox2", "隐藏所有驱动器", "NoDrives", CU, kNoDrives, 3, 4},
    {1, "SnCheckBox3", "禁止CD-ROM自动运行", "Autorun", LM, kAutorun, 5, 6},
    {1, "SnCheckBox4", "禁止使用注册表编辑器", "DisableRegistryTools", CU, kDisableRegistryTools, 7, 8},
    {1, "SnCheckBox5", "禁止使用Reg文件", "reg", LM, kReg, 9, 10},
    {1, "SnCheckBox6", "禁止使用任务栏右键", "NoTrayContextMenu", CU, kNoTrayContextMenu, 11, 12},
    {1, "SnCheckBox7", "禁止在桌面上显示图标", "NoDesktop", CU, kNoDesktop, 13, 14},
    {1, "SnCheckBox8", "禁止显示\"开始\"菜单中\"注销\"菜单", "NoLogOff", CU, kNoLogOff, 15, 16},
    {1, "SnCheckBox9", "禁止修改\"控制面板 \"", "NoSetFolders", CU, kNoSetFolders, 17, 18},
    {1, "SnCheckBox10", "禁止显示\"开始\"菜单中\"运行\"菜单", "NoRun", CU, kNoRun, 19, 20},
    {1, "SnCheckBox11", "禁止显示\"开始\"菜单中\"文档\"菜单", "NoRecentDocsMenu", CU, kNoRecentDocsMenu, 21,
     22},
    {1, "SnCheckBox12", "禁止显示\"开始\"菜单中\"查找\"菜单", "NoFind", CU, kNoFind, 23, 24},
    {2, "SnCheckBox30", "隐藏上机用户登录的名字", "DontDisplayLastUserName", LM, kDontDisplayLastUserName, 25,
     26},
    {2, "SnCheckBox23", "锁定IE浏览器的首页", "HomePage", CU, kHomePage, 27, 28},
    {2, "SnCheckBox22", "禁用IE浏览器的鼠标右键", "NoBrowserContextMenu", CU, kNoBrowserContextMenu, 29, 30},
    {2, "SnCheckBox20", "禁止C$、D$一类的缺省共享", "AutoShareServer", LM, kAutoShareServer, 31, 32},
    {2, "SnCheckBox19", "禁止ADMIN$缺省共享", "AutoShareWks", LM, kAutoShareWks, 33, 34},
    {2, "SnCheckBox18", "限制IPC$缺省共享", "restrictanonymous", LM, kRestrictAnonymous, 35, 36},
    {2, "SnCheckBox17", "禁止IE下载文件", "1803", CU, k1803, 37, 38},
    {2, "SnCheckBox16", "禁止使用网上邻居", "NoNetHood", CU, kNoNetHood, 39, 40},
    {2, "SnCheckBox28", "防止ICMP重定向报文的攻击", "EnableICMPRedirects", LM, kEnableICMPRedirects, 43, 44},
    {2, "SnCheckBox27", "防止SYN洪水攻击", "SynAttackProtect", LM, kSynAttackProtect, 45, 46},
    {3, "SnCheckBox60", "加快上网速度", "DefaultRcvWindow", LM, kDefaultRcvWindow, 45, 45},
    {3, "SnCheckBox53", "优化文件系统", "ConfigFileAllocSize", LM, kConfigFileAllocSize, 45, 46},
    {3, "SnCheckBox52", "优化软盘驱动器的性能", "ForceFIFO", LM, kForceFIFO, 45, 46},
    {3, "SnCheckBox51", "改变最大图标缓冲", "MaxCachedIcons", LM, kMaxCachedIcons, 45, 46},
    {3, "SnCheckBox50", "自动关闭停止响应的程序", "AutoEndTasks", CU, kAutoEndTasks, 45, 46},
}};
// A row left out would be a zeroed entry, not a compile error.
static_assert(std::all_of(kCatalogue.begin(), kCatalogue.end(),
                          [](const TweakEntry& row) {
                              return !row.mirrorValue.empty() && !row.writes.empty();
                          }),
              "kTweakCount counts every row of the catalogue");

} // namespace

std::span<const TweakEntry, kTweakCount> Catalogue()
{
    return kCatalogue;
}

std::size_t RowIndex(const TweakEntry& tweak)
{
    const TweakEntry* first = kCatalogue.data();
    if (std::less<>{}(&tweak, first) || !std::less<>{}(&tweak, first + kCatalogue.size()))
        throw std::out_of_range("not a row of the catalogue: " + std::string(tweak.mirrorValue));
    return static_cast<std::size_t>(&tweak - first);
}

bool ActionValue(const TweakAction& action, RegValue& value)
{
    value = {};
    switch (action.kind) {
    case ActionKind::Dword: {
        const auto bytes = DwordBytes(static_cast<std::uint32_t>(action.dword));
        value.type = regtype::Dword;
        value.data.assign(bytes.begin(), bytes.end());
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

std::string RegistryMessage(int number)
{
    std::string text = "注册表内容出错" + std::to_string(number);
    if (number < 10 || number > 30)
        text += "！";
    return text;
}

} // namespace tessel
