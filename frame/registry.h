#pragma once
// The module's run-time registry: per kind the descriptor array and the
// routine table that the host reads, and their lookups.
//
// How it fits together:
// - frame/ace_entries.inc holds one row per entry; frame/ace_table.h makes
//   of it, at compile time, the 103 entries (kAceTable, AceEntryOf), their
//   counts and their descriptor words. Everything the editor shows and every
//   count comes from there.
// - What cannot be known when the module is compiled is kept here: the
//   routine addresses, and the arrays whose addresses the host is handed.
//   BuildModuleTables(routines) builds them once, when the process attaches
//   the module; every later call keeps that set, so the host sees the same
//   contents at the same addresses for as long as the module is loaded.
//
// Routines are stored type-erased (RoutineAddress); the Windows layer casts
// them back to its calling convention. Nothing here includes a platform
// header.

#include <cstdint>

#include "frame/ace_kinds.h"

namespace zu {

/// A routine address with its signature erased.
using RoutineAddress = void (*)();

/// Bounded lookup in a descriptor array: the start (word 0) of the entry
/// whose word 2 equals code (compared in 16 bits), or null when no entry of
/// the array has it. Never reads past wordCount.
const uint16_t* FindEntry(const uint16_t* descriptors, uint32_t wordCount, uint16_t code);

/// Builds, for each kind not built yet, its descriptor array (a copy of
/// DescriptorWordsOf, allocated with exactly that many words) and its routine
/// table (count + 1 addresses, routines[i] for table entry i, the last null;
/// routines may be null: every routine null). A kind whose allocation fails
/// stays unbuilt for a later call to retry; a built kind never changes.
/// False when some kind is still unbuilt.
bool BuildModuleTables(const RoutineAddress* routines);

/// Releases the built set (when the module is unloaded).
void ReleaseModuleTables();

/// The built descriptor array of a kind (DescriptorWordCountOf(kind) words),
/// or null before it is built.
const uint16_t* DescriptorArray(AceKind kind);
/// The built routine table of a kind, or null before it is built.
const RoutineAddress* RoutineTable(AceKind kind);
/// Start of the built entry with this code, or null.
const uint16_t* FindDescriptorEntry(AceKind kind, uint16_t code);

}  // namespace zu
