// Code page conversion through iconv, for the native builds.
#include <iconv.h>

#include <cerrno>
#include <string>

#include "codepage.h"

namespace irun {
namespace {

std::string iconvName(int codePage) {
    switch (codePage) {
        case 10000: return "MACINTOSH";
        case 10007: return "CP10007";
        case 10017: return "MAC-UK";
        case 10029: return "MAC-CENTRALEUROPE";
        case 10079: return "MAC-IS";
        case 20866: return "KOI8-R";
        case 21866: return "KOI8-U";
        case 28605: return "ISO-8859-15";
        case 1361: return "JOHAB";
        default: break;
    }
    if (codePage >= 28591 && codePage <= 28599) return "ISO-8859-" + std::to_string(codePage - 28590);
    return "CP" + std::to_string(codePage);
}

class IconvBackend : public CodePageBackend {
public:
    IconvBackend(iconv_t in, iconv_t out) : in_(in), out_(out) {}
    ~IconvBackend() override {
        iconv_close(in_);
        iconv_close(out_);
    }

    bool decode(const unsigned char* bytes, size_t n, char32_t& result) override {
        char32_t buffer[4];
        char* src = reinterpret_cast<char*>(const_cast<unsigned char*>(bytes));
        size_t srcLeft = n;
        char* dst = reinterpret_cast<char*>(buffer);
        size_t dstLeft = sizeof buffer;
        iconv(in_, nullptr, nullptr, nullptr, nullptr);
        size_t rc = iconv(in_, &src, &srcLeft, &dst, &dstLeft);
        // Stateful converters such as CP1258 hold a base letter back until flushed.
        if (rc != static_cast<size_t>(-1)) iconv(in_, nullptr, nullptr, &dst, &dstLeft);
        size_t produced = (sizeof buffer - dstLeft) / sizeof(char32_t);
        if (rc == static_cast<size_t>(-1) || srcLeft != 0 || produced != 1) return false;
        result = buffer[0];
        return true;
    }

    bool encode(char32_t c, std::string& out) override {
        char32_t in[1] = {c};
        char buffer[16];
        char* src = reinterpret_cast<char*>(in);
        size_t srcLeft = sizeof in;
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        iconv(out_, nullptr, nullptr, nullptr, nullptr);
        size_t rc = iconv(out_, &src, &srcLeft, &dst, &dstLeft);
        if (rc == static_cast<size_t>(-1) || srcLeft != 0) return false;
        // A non-zero count means iconv substituted something: not a faithful mapping.
        if (rc != 0) return false;
        iconv(out_, nullptr, nullptr, &dst, &dstLeft);
        out.append(buffer, sizeof buffer - dstLeft);
        return true;
    }

private:
    iconv_t in_;
    iconv_t out_;
};

}  // namespace

std::unique_ptr<CodePageBackend> openCodePageBackend(int codePage) {
    std::string name = iconvName(codePage);
    const char* unicode = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? "UTF-32LE" : "UTF-32BE";
    iconv_t in = iconv_open(unicode, name.c_str());
    if (in == reinterpret_cast<iconv_t>(-1)) return nullptr;
    iconv_t out = iconv_open(name.c_str(), unicode);
    if (out == reinterpret_cast<iconv_t>(-1)) {
        iconv_close(in);
        return nullptr;
    }
    return std::make_unique<IconvBackend>(in, out);
}

}  // namespace irun
