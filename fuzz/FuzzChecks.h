#pragma once

#include <cstddef>
#include <cstdint>

// The properties each fuzz target checks for one input. They abort on a broken property,
// so a fuzzer reports the input, and the regression test replays kept inputs through the
// same code with the ordinary compiler.
namespace FuzzChecks {

// The tokenizer covers the text exactly, and the translation leaves alone any text that
// has nothing to translate.
void dialect(const uint8_t *data, size_t size);

// The `like` matcher agrees with a plain backtracking reference. The input is the pattern,
// a NUL byte, then the text.
void like(const uint8_t *data, size_t size);

// A query through the read-only path neither crashes nor changes the file. The scratch
// database lives in a temporary folder made on the first call.
void query(const uint8_t *data, size_t size);

// A spreadsheet file of any content opens or is refused with a message, and its cells
// read or report an error, without a crash, within the readers' bounds; the same bytes as
// the answer of the .xls reading process are taken or refused by the program's check.
void sheet(const uint8_t *data, size_t size);

} // namespace FuzzChecks
