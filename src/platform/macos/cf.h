// Owned CoreFoundation objects and string conversions, shared by the macOS adapters.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <optional>
#include <string>

namespace pulsaro {

// An owned CoreFoundation object, released when it goes.
class RifCF {
public:
    explicit RifCF(CFTypeRef r = nullptr) : r_(r) {}
    RifCF(const RifCF&) = delete;
    RifCF& operator=(const RifCF&) = delete;
    ~RifCF() {
        if (r_) CFRelease(r_);
    }
    CFTypeRef get() const { return r_; }
    CFStringRef stringa() const { return static_cast<CFStringRef>(r_); }

private:
    CFTypeRef r_;
};

// The UTF-8 text of a string object; nullopt for anything that is not a string.
inline std::optional<std::string> testoCF(CFTypeRef oggetto) {
    if (!oggetto || CFGetTypeID(oggetto) != CFStringGetTypeID()) return std::nullopt;
    const auto s = static_cast<CFStringRef>(oggetto);
    if (const char* p = CFStringGetCStringPtr(s, kCFStringEncodingUTF8)) return std::string(p);
    const CFIndex massimo =
        CFStringGetMaximumSizeForEncoding(CFStringGetLength(s), kCFStringEncodingUTF8) + 1;
    std::string buffer(static_cast<std::size_t>(massimo), '\0');
    if (!CFStringGetCString(s, buffer.data(), massimo, kCFStringEncodingUTF8)) return std::nullopt;
    buffer.resize(std::char_traits<char>::length(buffer.c_str()));
    return buffer;
}

// A new string object; empty when the text is not valid UTF-8.
inline RifCF stringaCF(const std::string& s) {
    return RifCF(CFStringCreateWithCString(kCFAllocatorDefault, s.c_str(), kCFStringEncodingUTF8));
}

}  // namespace pulsaro
