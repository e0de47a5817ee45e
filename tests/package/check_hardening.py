#!/usr/bin/env python3
"""Reads a built program and fails unless it carries the hardening that the
build promises for its architecture.

    check_hardening.py PROGRAM [--readelf READELF]

An ELF program (Linux, any architecture; readelf reads them all):
  - a position independent executable (ET_DYN, DF_1_PIE);
  - relocations bound at start-up (BIND_NOW) and made read-only (GNU_RELRO);
  - the stack protector (__stack_chk_fail imported) and the checked
    functions of the C library (a __*_chk function imported);
  - each C and C++ compilation unit compiled with the stack protector and,
    where Debian enables them, with stack clash protection (x86, arm64,
    armhf), control-flow protection (x86) and branch protection (arm64), as
    the options GCC records in the debugging information say; a compiled
    stack probe has no shape that can be told from other code reliably,
    so the recorded options are what is read;
  - on x86, main() starting with the ENDBR landing pad that indirect
    branches need under IBT (the C runtime's start files carry no CET mark
    on Debian, so the program's property note cannot be asked for it);
  - on arm64, the program's property note marking BTI and PAC, which the
    linker keeps only when every object file, the C runtime's included,
    has them.
A Windows program (PE): ASLR with high-entropy addresses (DYNAMIC_BASE,
HIGH_ENTROPY_VA) and DEP (NX_COMPAT) in its optional header, and the stack
protector's handler linked. Checked functions are not asked of it: none of
its calls that mingw-w64's headers check is left to a check at run time.
Prints each property with its verdict; exits 1 when any is missing.
"""
import argparse
import re
import struct
import subprocess
import sys

EM_386, EM_ARM, EM_X86_64, EM_AARCH64 = 3, 40, 62, 183

# The options every compilation unit records, by ELF machine.
STACK_PROTECTOR = ("-fstack-protector-strong", "-fstack-protector-all")
STACK_CLASH = ("-fstack-clash-protection",)
CF_PROTECTION = ("-fcf-protection=full", "-fcf-protection")
BRANCH_PROTECTION = ("-mbranch-protection=standard",)
UNIT_OPTIONS = {
    EM_X86_64: [STACK_PROTECTOR, STACK_CLASH, CF_PROTECTION],
    EM_386: [STACK_PROTECTOR, STACK_CLASH, CF_PROTECTION],
    EM_AARCH64: [STACK_PROTECTOR, STACK_CLASH, BRANCH_PROTECTION],
    EM_ARM: [STACK_PROTECTOR, STACK_CLASH],
}
ENDBR = {EM_X86_64: bytes.fromhex("f30f1efa"), EM_386: bytes.fromhex("f30f1efb")}

# IMAGE_OPTIONAL_HEADER DllCharacteristics bits.
PE_FLAGS = {"HIGH_ENTROPY_VA": 0x0020, "DYNAMIC_BASE": 0x0040, "NX_COMPAT": 0x0100}


class Report:
    def __init__(self):
        self.failed = 0

    def check(self, ok, what, detail=""):
        print(f"{'ok  ' if ok else 'FAIL'} {what}{': ' + detail if detail else ''}")
        if not ok:
            self.failed += 1


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def unit_producers(readelf, program):
    """(unit name, producer) of each compilation unit, from .debug_info."""
    units = []
    name = producer = None
    text = run(readelf, "--debug-dump=info", "--dwarf-depth=1", program)
    for line in text.splitlines():
        if "Compilation Unit @" in line:
            if producer is not None:
                units.append((name, producer))
            name = producer = None
            continue
        found = re.search(r"DW_AT_(name|producer)\s*:\s*(?:\([^)]*\):\s*)?(.*)$", line)
        if found and found.group(1) == "name" and name is None:
            name = found.group(2).strip()
        elif found and found.group(1) == "producer" and producer is None:
            producer = found.group(2).strip()
    if producer is not None:
        units.append((name, producer))
    return units


def file_offset(segments, address):
    for offset, vaddr, filesz in segments:
        if vaddr <= address < vaddr + filesz:
            return offset + address - vaddr
    return None


def check_elf(program, data, readelf, report):
    big = data[5] == 2
    machine = struct.unpack_from(">H" if big else "<H", data, 18)[0]
    header = run(readelf, "-hW", program)
    dynamic = run(readelf, "-dW", program)
    segments_text = run(readelf, "-lW", program)
    dynsyms = run(readelf, "--dyn-syms", "-W", program)

    elf_type = re.search(r"^\s*Type:\s*(\S+)", header, re.M)
    flags_1 = re.search(r"\(FLAGS_1\)\s*Flags:(.*)$", dynamic, re.M)
    flags_1 = flags_1.group(1).split() if flags_1 else []
    flags = re.search(r"\(FLAGS\)\s*(.*)$", dynamic, re.M)
    flags = flags.group(1).split() if flags else []
    report.check(elf_type and elf_type.group(1) == "DYN" and "PIE" in flags_1,
                 "position independent executable (ET_DYN, DF_1_PIE)",
                 f"type {elf_type.group(1) if elf_type else '?'}, FLAGS_1 {' '.join(flags_1) or 'none'}")
    report.check("BIND_NOW" in flags or "NOW" in flags_1, "bound at start-up (BIND_NOW)",
                 f"FLAGS {' '.join(flags) or 'none'}, FLAGS_1 {' '.join(flags_1) or 'none'}")
    report.check(re.search(r"^\s*GNU_RELRO\s", segments_text, re.M) is not None,
                 "read-only relocations (GNU_RELRO segment)")

    imports = set(re.findall(r"\sUND\s+(\S+?)(?:@\S*)?\s*(?:\(\d+\))?$", dynsyms, re.M))
    report.check("__stack_chk_fail" in imports, "stack protector (__stack_chk_fail imported)")
    checked = sorted(s for s in imports if re.fullmatch(r"__\w+_chk", s) and s != "__stack_chk_fail")
    report.check(bool(checked), "checked C library functions (__*_chk imported)",
                 ", ".join(checked) or "none")

    wanted = UNIT_OPTIONS.get(machine, [STACK_PROTECTOR])
    units = [(n, p) for n, p in unit_producers(readelf, program) if p.startswith("GNU C")]
    report.check(bool(units), "compilation units record their options (DW_AT_producer)",
                 f"{len(units)} C/C++ units" if units else
                 "none from GCC: the check reads GCC's record in the debugging information (-g)")
    for choices in wanted:
        lacking = [n for n, p in units if not any(c in p.split() for c in choices)]
        report.check(units and not lacking, f"every unit compiled with {choices[0]}",
                     f"not {len(lacking)} of {len(units)}: {', '.join(lacking[:5])}" if lacking else "")

    if machine in ENDBR:
        symbols = run(readelf, "-sW", program)
        main = re.search(r"^\s*\d+:\s*([0-9a-f]+)\s+\d+\s+FUNC\s+GLOBAL\s+\S+\s+\S+\s+main$",
                         symbols, re.M)
        segments = [(int(m.group(1), 16), int(m.group(2), 16), int(m.group(3), 16))
                    for m in re.finditer(r"^\s*LOAD\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+0x[0-9a-f]+"
                                         r"\s+0x([0-9a-f]+)", segments_text, re.M)]
        at = file_offset(segments, int(main.group(1), 16)) if main else None
        first = data[at:at + 4] if at is not None else b""
        report.check(first == ENDBR[machine], "IBT landing pad (main starts with ENDBR)",
                     "no main in the symbol table" if at is None else f"main starts {first.hex()}")
    if machine == EM_AARCH64:
        notes = run(readelf, "-nW", program)
        feature = re.search(r"AArch64 feature:\s*(.*)$", notes, re.M)
        marks = [m.strip() for m in feature.group(1).split(",")] if feature else []
        report.check("BTI" in marks and "PAC" in marks, "branch protection marked (BTI, PAC)",
                     f"AArch64 feature: {', '.join(marks) or 'none'}")


def check_pe(data, report):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        report.check(False, "a PE image", "no PE signature")
        return
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    report.check(magic == 0x20B, "64-bit image (PE32+)", f"optional header magic {magic:#x}")
    characteristics = struct.unpack_from("<H", data, optional + 70)[0]
    for name, bit in PE_FLAGS.items():
        report.check(bool(characteristics & bit), f"DllCharacteristics {name}",
                     f"{characteristics:#06x}")
    # The stack protector's handler, which the static link takes from
    # libssp only when compiled code calls it; read from the COFF symbol
    # table that the build's (unstripped) program keeps.
    table, count = struct.unpack_from("<II", data, pe + 12)
    strings = table + 18 * count
    names = set()
    index = 0
    while table and index < count:
        entry = table + 18 * index
        raw = data[entry:entry + 8]
        if raw[:4] == b"\0\0\0\0":
            start = strings + struct.unpack_from("<I", raw, 4)[0]
            raw = data[start:data.index(b"\0", start)]
        names.add(raw.rstrip(b"\0").decode("latin-1"))
        index += 1 + data[entry + 17]
    report.check("__stack_chk_fail" in names, "stack protector (__stack_chk_fail linked)",
                 f"{len(names)} symbols" if table else "no symbol table")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program")
    parser.add_argument("--readelf", default="readelf")
    args = parser.parse_args()
    with open(args.program, "rb") as f:
        data = f.read()
    report = Report()
    print(f"{args.program}:")
    if data[:4] == b"\x7fELF":
        check_elf(args.program, data, args.readelf or "readelf", report)
    elif data[:2] == b"MZ":
        check_pe(data, report)
    else:
        report.check(False, "an ELF or PE program")
    if report.failed:
        print(f"{report.failed} promised hardening properties missing")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
