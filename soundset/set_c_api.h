#pragma once
// The sound set behind plain C functions, for the WebAssembly engine of the
// Studio page to export as they stand. One set at a time; single-threaded.
// Strings and images returned stay valid until the next call that returns
// one of the same kind. Indexes out of range give null, 0 or -1.

#include <cstdint>

extern "C" {

/// Reads a set file image (size bytes at data). Returns the number of sounds
/// and makes it the current set, or -1 with the set unchanged and
/// zu_set_error() saying why ("line L, column C: expected ...").
int32_t zu_set_read(const char* data, uint32_t size);
/// The last refusal's message.
const char* zu_set_error();
/// Empties the current set.
void zu_set_clear();
/// Appends a sound (block: 24 words, variable 1 the wave type). Returns its
/// index, or -1 with zu_set_error() saying why (bad or duplicate name, buffer
/// length above 10, seed 0, set full).
int32_t zu_set_add(const char* name, uint32_t bufferLength, uint32_t seed, const uint32_t* block);
/// Why name cannot be the name of sound index (or of a new sound when index
/// is -1): "" when it can.
const char* zu_set_name_problem(const char* name, int32_t index);
/// Number of sounds.
uint32_t zu_set_count();
/// A sound's fields.
const char* zu_set_name(uint32_t index);
uint32_t zu_set_buffer_length(uint32_t index);
uint32_t zu_set_seed(uint32_t index);
const uint32_t* zu_set_block(uint32_t index);
/// 1 when the sound's block loads exactly from its CSV text.
int32_t zu_set_csv_exact(uint32_t index);
/// The sound's safe file name, without extension.
const char* zu_set_file_name(uint32_t index);
/// The set file image of the current set.
const char* zu_set_write();
/// The event listing; setName (may be "") is shown in its title.
const char* zu_set_events(const char* setName);
/// The sound rendered (RIFF/WAVE image) or its .sfs image; the size is
/// zu_set_image_size(). A render seeds the random source with the sound's seed.
const uint8_t* zu_set_render(uint32_t index);
const uint8_t* zu_set_sfs(uint32_t index);
uint32_t zu_set_image_size();
}
