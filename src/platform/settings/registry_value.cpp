#include "platform/settings/registry_value.h"

#include "platform/settings/registry_path.h"

namespace banmen {

namespace {

constexpr std::string_view kStringPrefix = "sz:";
constexpr std::string_view kHexStringPrefix = "sz-hex:";
constexpr std::string_view kDwordPrefix = "dword:";
constexpr std::string_view kBinaryPrefix = "binary:";
constexpr char kHexDigits[] = "0123456789abcdef";

void appendHex(std::string& out, const std::uint8_t* bytes, std::size_t length) {
    out.reserve(out.size() + length * 2);
    for (std::size_t i = 0; i < length; ++i) {
        out += kHexDigits[bytes[i] >> 4];
        out += kHexDigits[bytes[i] & 0x0F];
    }
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool decodeHex(std::string_view hex, std::vector<std::uint8_t>& out) {
    if (hex.size() % 2 != 0) {
        return false;
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = hexValue(hex[i]);
        const int low = hexValue(hex[i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    out = std::move(bytes);
    return true;
}

bool decodeDecimal(std::string_view digits, std::uint32_t& out) {
    if (digits.empty() || digits.size() > 10) {
        return false;
    }
    std::uint64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > 0xFFFFFFFFu) {
        return false;
    }
    out = static_cast<std::uint32_t>(value);
    return true;
}

// A registry string ends at its first NUL.
std::string untilNul(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

}  // namespace

std::string EncodeRegistryString(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    if (isValidUtf8(text)) {
        return std::string(kStringPrefix) + std::string(text);
    }
    std::string encoded(kHexStringPrefix);
    appendHex(encoded, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    return encoded;
}

std::string EncodeRegistryDword(std::uint32_t value) {
    return std::string(kDwordPrefix) + std::to_string(value);
}

std::string EncodeRegistryBinary(const std::uint8_t* bytes, std::size_t length) {
    std::string encoded(kBinaryPrefix);
    appendHex(encoded, bytes, length);
    return encoded;
}

bool DecodeRegistryValue(std::string_view stored, RegistryValue& out) {
    RegistryValue value;
    if (stored.starts_with(kStringPrefix)) {
        value.type = RegistryType::String;
        value.text = untilNul(stored.substr(kStringPrefix.size()));
    } else if (stored.starts_with(kHexStringPrefix)) {
        std::vector<std::uint8_t> bytes;
        if (!decodeHex(stored.substr(kHexStringPrefix.size()), bytes)) {
            return false;
        }
        value.type = RegistryType::String;
        value.text =
            untilNul(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } else if (stored.starts_with(kDwordPrefix)) {
        if (!decodeDecimal(stored.substr(kDwordPrefix.size()), value.number)) {
            return false;
        }
        value.type = RegistryType::Dword;
    } else if (stored.starts_with(kBinaryPrefix)) {
        if (!decodeHex(stored.substr(kBinaryPrefix.size()), value.bytes)) {
            return false;
        }
        value.type = RegistryType::Binary;
    } else {
        value.type = RegistryType::String;
        value.text = untilNul(stored);
    }
    out = std::move(value);
    return true;
}

}  // namespace banmen
