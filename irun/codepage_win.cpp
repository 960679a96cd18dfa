// Code page conversion through the Windows NLS functions, for the Windows builds.
#include <windows.h>

#include "codepage.h"

namespace irun {
namespace {

class Win32Backend : public CodePageBackend {
public:
    explicit Win32Backend(UINT codePage) : codePage_(codePage) {}

    bool decode(const unsigned char* bytes, size_t n, char32_t& out) override {
        wchar_t wide[4];
        int count = MultiByteToWideChar(codePage_, MB_ERR_INVALID_CHARS,
                                        reinterpret_cast<const char*>(bytes), static_cast<int>(n), wide, 4);
        if (count == 1) {
            out = wide[0];
            return true;
        }
        if (count == 2 && wide[0] >= 0xD800 && wide[0] < 0xDC00 && wide[1] >= 0xDC00 && wide[1] < 0xE000) {
            out = 0x10000 + ((wide[0] - 0xD800) << 10) + (wide[1] - 0xDC00);
            return true;
        }
        return false;
    }

    bool encode(char32_t c, std::string& out) override {
        wchar_t wide[2];
        int length = 1;
        if (c >= 0x10000) {
            wide[0] = static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
            wide[1] = static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
            length = 2;
        } else {
            wide[0] = static_cast<wchar_t>(c);
        }
        char buffer[16];
        BOOL usedDefault = FALSE;
        int count = WideCharToMultiByte(codePage_, WC_NO_BEST_FIT_CHARS, wide, length, buffer,
                                        sizeof buffer, nullptr, &usedDefault);
        if (count <= 0 || usedDefault) return false;
        out.append(buffer, static_cast<size_t>(count));
        return true;
    }

private:
    UINT codePage_;
};

}  // namespace

std::unique_ptr<CodePageBackend> openCodePageBackend(int codePage) {
    if (codePage <= 0 || !IsValidCodePage(static_cast<UINT>(codePage))) return nullptr;
    return std::make_unique<Win32Backend>(static_cast<UINT>(codePage));
}

}  // namespace irun
