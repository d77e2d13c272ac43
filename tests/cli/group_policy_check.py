"""The checks of group-policy-check.sh, on Samba's Registry.pol parser and on the ADMX files.

  dump HIVES                            the values of HIVES/user.db and machine.db as JSON
  pol POLDIR RUN...                     Registry.pol files against what the runs' passes did
  admx ADMXDIR POLON POLOFF STATUS      the template against the all-on and all-off Registry.pol
"""
import json
import os
import re
import sqlite3
import sys
import xml.etree.ElementTree as ET

from samba.dcerpc import misc, preg
from samba.ndr import ndr_pack, ndr_unpack

HIVES = {"user.db": "HKCU", "machine.db": "HKLM"}
POLS = {"HKLM": "Machine/Registry.pol", "HKCU": "User/Registry.pol"}
PROGRAM_KEY = "SOFTWARE\\MICROSOFT\\WINDOWS\\VARDO"
MIRROR_KEY = PROGRAM_KEY + "\\ZHUANGTAI"
NS = {"p": "http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions"}
DELETE = "**del."
# The rows whose values a template cannot state: binary data (1, 8, 9) and the default value (5).
NOT_IN_TEMPLATE = {"NoViewContextMenu", "reg", "NoLogOff", "NoSetFolders"}


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def dump(hives):
    out = []
    for file, hive in HIVES.items():
        path = os.path.join(hives, file)
        if not os.path.exists(path):
            continue
        db = sqlite3.connect("file:%s?mode=ro" % path, uri=True)
        keys = {kid: (parent, name) for kid, parent, name in db.execute("SELECT id, parent, name FROM keys")}

        def key_path(kid):
            parts = []
            while kid in keys and keys[kid][0] != 0:
                parts.append(keys[kid][1])
                kid = keys[kid][0]
            return "\\".join(reversed(parts))

        for kid, name, vtype, data in db.execute("SELECT key, name, type, data FROM vals"):
            out.append([hive, key_path(kid), name, vtype, bytes(data).hex()])
        db.close()
    json.dump(out, sys.stdout)


def bookkeeping(hive, key, name):
    # The password and the original values are not what a pass writes.
    return (key == PROGRAM_KEY and name == "PAASWORD") or key.startswith(PROGRAM_KEY + "\\ORIGINALS")


def load_dump(path):
    values = {}
    for hive, key, name, vtype, data in json.load(open(path)):
        ident = (hive, key.upper(), name.upper())
        if not bookkeeping(*ident):
            values[ident] = (vtype, bytes.fromhex(data))
    return values


def pass_effects(runs):
    """What the passes set (identity -> (type, bytes)) and removed, from the hives before and after."""
    written, removed = {}, set()
    for run in runs:
        before = load_dump(os.path.join(run, "before.json"))
        after = load_dump(os.path.join(run, "after.json"))
        for ident, value in after.items():
            if before.get(ident) != value:
                if written.setdefault(ident, value) != value:
                    fail("two runs of one pass left %s differently" % (ident,))
        removed |= {ident for ident in before if ident not in after}
    return written, removed


def entry_bytes(entry):
    """The data of a parsed entry as the bytes of the file."""
    if entry.type in (misc.REG_SZ, misc.REG_EXPAND_SZ):
        return (entry.data + "\0").encode("utf-16-le")
    if entry.type == misc.REG_DWORD:
        return entry.data.to_bytes(4, "little")
    return bytes(entry.data)


def read_pol(path, hive):
    """Samba's reading of one Registry.pol: (sets, deletions), each keyed by identity."""
    raw = open(path, "rb").read()
    pol = ndr_unpack(preg.file, raw)
    if pol.header.signature != "PReg" or pol.header.version != 1:
        fail("%s: header %r %r" % (path, pol.header.signature, pol.header.version))
    if ndr_pack(pol) != raw:
        fail("%s: Samba writes the parsed entries back differently" % path)
    if pol.num_entries != len(pol.entries):
        fail("%s: %d entries counted, %d read" % (path, pol.num_entries, len(pol.entries)))
    sets, deletions = {}, set()
    for entry in pol.entries:
        data = entry_bytes(entry)
        if entry.size != len(data):
            fail("%s: %s\\%s: size %d for %d bytes" % (path, entry.keyname, entry.valuename, entry.size, len(data)))
        if entry.valuename.startswith(DELETE):
            ident = (hive, entry.keyname.upper(), entry.valuename[len(DELETE):].upper())
            if entry.type != misc.REG_SZ or data != " \0".encode("utf-16-le"):
                fail("%s: deletion %s is not REG_SZ \" \"" % (path, entry.valuename))
            if ident in deletions or ident in sets:
                fail("%s: %s twice" % (path, ident))
            deletions.add(ident)
        else:
            ident = (hive, entry.keyname.upper(), entry.valuename.upper())
            if ident in sets or ident in deletions:
                fail("%s: %s twice" % (path, ident))
            sets[ident] = (entry.type, data)
    return sets, deletions


def read_pols(folder):
    sets, deletions = {}, set()
    for hive, file in POLS.items():
        s, d = read_pol(os.path.join(folder, file), hive)
        sets.update(s)
        deletions |= d
    return sets, deletions


def as_pol_value(vtype, data):
    """A hive's value as Registry.pol carries it: text in UTF-16LE, the rest as it is."""
    if vtype in (misc.REG_SZ, misc.REG_EXPAND_SZ):
        return vtype, data.decode("gbk").encode("utf-16-le")
    return vtype, data


def check_pol(folder, runs):
    gpt = open(os.path.join(folder, "GPT.INI"), "rb").read()
    if gpt != b"[General]\r\nVersion=65537\r\n":
        fail("GPT.INI: %r" % gpt)
    sets, deletions = read_pols(folder)
    written, removed = pass_effects(runs)
    expected = {ident: as_pol_value(*value) for ident, value in written.items()}
    for ident in sorted(set(expected) | set(sets)):
        if expected.get(ident) != sets.get(ident):
            fail("%s: the pass leaves %s, Registry.pol says %s" % (ident, expected.get(ident), sets.get(ident)))
    if removed != deletions:
        fail("the pass removes %s, Registry.pol deletes %s" % (sorted(removed - deletions), sorted(deletions - removed)))
    if not any(ident[1] == MIRROR_KEY for ident in sets) or not any(ident[0] == "HKLM" for ident in sets):
        fail("the mirror or the machine-wide values are missing")


def template_value(element):
    """<decimal>, <string> or <delete/> as a Registry.pol value; None for a deletion."""
    if element.tag.endswith("decimal"):
        return misc.REG_DWORD, int(element.get("value")).to_bytes(4, "little")
    if element.tag.endswith("string"):
        return misc.REG_SZ, ((element.text or "") + "\0").encode("utf-16-le")
    if element.tag.endswith("delete"):
        return None
    fail("unknown value element " + element.tag)


def policy_values(policy):
    """(key, valueName, enabled element, disabled element) for every value a policy names."""
    key, name = policy.get("key"), policy.get("valueName")
    on, off = policy.find("p:enabledValue", NS), policy.find("p:disabledValue", NS)
    if on is not None and off is not None:
        return [(key, name, on[0], off[0])]
    on_items = policy.findall("p:enabledList/p:item", NS)
    off_items = policy.findall("p:disabledList/p:item", NS)
    if not on_items or len(on_items) != len(off_items):
        fail("policy %s: no enabled and disabled state for every value" % policy.get("name"))
    out = []
    for a, b in zip(on_items, off_items):
        if (a.get("key"), a.get("valueName")) != (b.get("key"), b.get("valueName")):
            fail("policy %s: enabled and disabled lists differ" % policy.get("name"))
        out.append((a.get("key") or key, a.get("valueName"), a.find("p:value", NS)[0], b.find("p:value", NS)[0]))
    return out


def strings(path):
    root = ET.parse(path).getroot()
    table = {s.get("id"): s.text or "" for s in root.findall("p:resources/p:stringTable/p:string", NS)}
    return table, root.findtext("p:description", "", NS)


def check_admx(folder, pol_on, pol_off, status_path):
    admx = ET.parse(os.path.join(folder, "tessel.admx")).getroot()
    rows = {row["name"]: row for row in json.load(open(status_path))}
    refs = set()
    for element in admx.iter():
        for value in element.attrib.values():
            refs |= set(re.findall(r"\$\(string\.(\w+)\)", value))
    zh, zh_description = strings(os.path.join(folder, "zh-CN", "tessel.adml"))
    en, en_description = strings(os.path.join(folder, "en-US", "tessel.adml"))
    for language, table in (("zh-CN", zh), ("en-US", en)):
        if set(table) != refs:
            fail("%s: unresolved %s, unused %s" % (language, sorted(refs - set(table)), sorted(set(table) - refs)))

    categories = {c.get("name"): c for c in admx.findall("p:categories/p:category", NS)}
    tabs = [name for name, c in categories.items() if c.find("p:parentCategory", NS) is not None]
    if "Tessel" not in categories or [categories[t].find("p:parentCategory", NS).get("ref") for t in tabs] != ["Tessel"] * 3:
        fail("categories: %s" % sorted(categories))
    tab_names = [zh[re.search(r"string\.(\w+)", categories[t].get("displayName")).group(1)] for t in tabs]
    if tab_names != ["功能限制类", "网络安全类", "性能优化类"]:
        fail("tabs: %s" % tab_names)

    on_sets, on_deletions = read_pols(pol_on)
    off_sets, off_deletions = read_pols(pol_off)
    covered = set()
    policies = admx.findall("p:policies/p:policy", NS)
    for policy in policies:
        name = policy.get("name")
        if name not in rows:
            fail("policy %s is no row" % name)
        if zh[name] != rows[name]["caption"] or not en[name] or en[name] == zh[name]:
            fail("policy %s: display names %r, %r" % (name, zh[name], en[name]))
        if policy.find("p:parentCategory", NS).get("ref") not in tabs:
            fail("policy %s is in no tab" % name)
        hive = {"User": "HKCU", "Machine": "HKLM"}[policy.get("class")]
        for key, value_name, enabled, disabled in policy_values(policy):
            ident = (hive, key.upper(), value_name.upper())
            if ident in covered:
                fail("%s is named by two policies" % (ident,))
            covered.add(ident)
            for state, element, sets, deletions in (("enabled", enabled, on_sets, on_deletions),
                                                    ("disabled", disabled, off_sets, off_deletions)):
                value = template_value(element)
                if (value is None and ident not in deletions) or (value is not None and sets.get(ident) != value):
                    fail("policy %s %s: %s is %s, the pass leaves %s" % (name, state, ident, value, sets.get(ident)))

    # Every value of the rows left out is one a template cannot state.
    for ident in set(on_sets) | on_deletions:
        if ident in covered or ident[1] in (PROGRAM_KEY, MIRROR_KEY):
            continue
        states = [s.get(ident) for s in (on_sets, off_sets)]
        if ident[2] and all(s is None or s[0] in (misc.REG_SZ, misc.REG_DWORD) for s in states):
            fail("%s could be stated by a template but is left out" % (ident,))
    missing = set(rows) - {p.get("name") for p in policies}
    if missing != NOT_IN_TEMPLATE:
        fail("rows left out of the template: %s" % sorted(missing))
    for name in missing:
        if rows[name]["caption"] not in zh_description:
            fail("the zh-CN description does not name %s" % name)
    in_template = "%d of the %d" % (len(rows) - len(NOT_IN_TEMPLATE), len(rows))
    if "Registry.pol" not in en_description or in_template not in en_description:
        fail("en-US description: " + en_description)


def main():
    command, args = sys.argv[1], sys.argv[2:]
    if command == "dump":
        dump(args[0])
    elif command == "pol":
        check_pol(args[0], args[1:])
    elif command == "admx":
        check_admx(*args)
    else:
        fail("unknown command " + command)


main()
