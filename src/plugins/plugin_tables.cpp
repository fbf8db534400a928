#include "plugins/plugin_tables.h"

namespace kv::plugins {

namespace {

using L = PluginList;

// Slots 0 to 2 and 4 to 7 are alike in every editor that has them; slot 3 is netplay in ePSXe.
constexpr SlotDesign gpu_slot(int16_t base) {
    return {0, L::gpu, "Label43", "Label1", "Video plugin:", "Picture33", base};
}
constexpr SlotDesign spu_slot(int16_t base) {
    return {1, L::spu, "Label6", "Label2", "Sound plugin:", "Picture3", static_cast<int16_t>(base + 1)};
}
constexpr SlotDesign cdr_slot(int16_t base) {
    return {2, L::cdr, "Label8", "Label3", "Cdrom plugin:", "Picture11", static_cast<int16_t>(base + 2)};
}
constexpr SlotDesign pad2_slot(int16_t base) {
    return {3, L::pad, "Label7", "Label4", "Gamepad 2 plugin:", "Picture13", static_cast<int16_t>(base + 3)};
}
constexpr SlotDesign pad1_slot(int16_t base) {
    return {
        4, L::pad, "Label16", "Label15", "Gamepad 1 plugin:", "Picture14", static_cast<int16_t>(base + 4)};
}
constexpr SlotDesign bios_slot(int16_t base) {
    return {5, L::bios, "Label14", "Label13", "BIOS image:", "Picture23", static_cast<int16_t>(base + 5)};
}

constexpr SlotDesign epsxe_slots[] = {
    gpu_slot(1),
    spu_slot(1),
    cdr_slot(1),
    {3, L::net, "Label7", "Label4", "Netplay plugin:", "Picture13", 4},
};
constexpr SlotDesign psxeven_slots[] = {gpu_slot(5), spu_slot(5), cdr_slot(5), pad2_slot(5), pad1_slot(5)};
constexpr SlotDesign pcsx_slots[] = {gpu_slot(10),  spu_slot(10),  cdr_slot(10),
                                     pad2_slot(10), pad1_slot(10), bios_slot(10)};
constexpr SlotDesign ssspsx_slots[] = {
    gpu_slot(16),
    spu_slot(16),
    cdr_slot(16),
    pad2_slot(16),
    pad1_slot(16),
    bios_slot(16),
    {6, L::memcard, "Label11", "Label9", "Memory Card 1:", "Picture21", 22},
    {7, L::memcard, "Label12", "Label10", "Memory Card 2:", "Picture30", 23},
};

constexpr BuiltinEntry epsxe_builtins[] = {
    {L::spu, "SPUCORE|||ePSXe SPU core"},
    {L::cdr, "W9XCDRCORE|||ePSXe CDR ASPI core"},
    {L::cdr, "W2KCDRCORE|||ePSXe CDR WNT/W2K core"},
    {L::net, "DISABLED|||Disabled Netplay"},
};
constexpr BuiltinEntry ssspsx_builtins[] = {{L::cdr, "|||SSSPSX CDR Plugin [INTERNAL]"}};

constexpr std::string_view epsxe_labels[] = {"Label43", "Label6", "Label8", "Label7"};
constexpr std::string_view five_labels[] = {"Label43", "Label16", "Label6", "Label8", "Label7"};
constexpr std::string_view ssspsx_labels[] = {"Label43", "Label16", "Label6", "Label8",
                                              "Label7",  "Label11", "Label12"};

constexpr PluginList epsxe_cleared[] = {L::gpu, L::spu, L::cdr, L::net};
constexpr PluginList pad_cleared[] = {L::gpu, L::spu, L::cdr, L::pad};
constexpr PluginList ssspsx_cleared[] = {L::gpu, L::spu, L::cdr, L::pad, L::memcard};

const EditorTable epsxe{"ePSXe_config", epsxe_slots, L::net,       net_kind,     epsxe_builtins,
                        false,          4,           epsxe_labels, epsxe_cleared};
const EditorTable psxeven{"PSXeven_config", psxeven_slots, L::pad, pad_kind, {}, true, 5,
                          five_labels,      pad_cleared};
const EditorTable pcsx{"PCSX_config", pcsx_slots, L::pad, pad_kind, {}, false, 5, five_labels, pad_cleared};
const EditorTable ssspsx{"SSSPSX_config", ssspsx_slots,  L::pad, pad_kind, ssspsx_builtins, false, 5,
                         ssspsx_labels,   ssspsx_cleared};

}  // namespace

const EditorTable& epsxe_table() {
    return epsxe;
}
const EditorTable& psxeven_table() {
    return psxeven;
}
const EditorTable& pcsx_table() {
    return pcsx;
}
const EditorTable& ssspsx_table() {
    return ssspsx;
}

}  // namespace kv::plugins
