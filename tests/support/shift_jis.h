// Shift-JIS (code page 932) as the platform's lead-byte test sees it, for texts with two-byte
// characters whose second byte is the byte of "\".
#pragma once

namespace t2c {

inline bool shiftJisLead(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

}  // namespace t2c
