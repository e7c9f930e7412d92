#include "settings/Utf8.h"

namespace {

struct Sequence {
  int length;           // bytes, lead byte included; 0 for a byte no sequence starts with
  unsigned long bits;   // the lead byte's share of the code point
  unsigned long least;  // the smallest code point the length may carry
};

Sequence SequenceAt(unsigned char lead) {
  if ((lead & 0xE0) == 0xC0) return {2, lead & 0x1Fu, 0x80};
  if ((lead & 0xF0) == 0xE0) return {3, lead & 0x0Fu, 0x800};
  if ((lead & 0xF8) == 0xF0) return {4, lead & 0x07u, 0x10000};
  return {0, 0, 0};
}

}  // namespace

bool IsValidUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    const Sequence sequence = SequenceAt(lead);
    if (sequence.length == 0 || i + sequence.length > text.size()) return false;
    unsigned long code = sequence.bits;
    for (int k = 1; k < sequence.length; ++k) {
      const unsigned char next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3Fu);
    }
    if (code < sequence.least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += sequence.length;
  }
  return true;
}
