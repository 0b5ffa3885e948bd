// The XSETTINGS property: a byte order, a serial and a count, then each
// setting as a type, a name and a value, every part padded to four bytes.
#include "platform/linux/xsettings.h"

#include <cstdint>

namespace {

enum SettingType : unsigned char { kInteger = 0, kString = 1, kColour = 2 };
constexpr unsigned char kMostSignificantFirst = 1;  // X's MSBFirst; LSBFirst is 0

std::size_t padded(std::size_t length) { return (length + 3U) & ~std::size_t{3}; }

// Reads the property's numbers in its own byte order, never past its end.
struct Reader {
    const unsigned char* bytes;
    std::size_t size;
    std::size_t at;
    bool mostSignificantFirst;

    [[nodiscard]] bool has(std::size_t count) const { return at <= size && count <= size - at; }
    std::uint32_t number(std::size_t width) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            const std::size_t byte = mostSignificantFirst ? i : width - 1 - i;
            value = (value << 8U) | bytes[at + byte];
        }
        at += width;
        return value;
    }
};

}  // namespace

std::optional<int> xsettingsInteger(const unsigned char* bytes, std::size_t size, std::string_view name) {
    if (bytes == nullptr || size < 12 || bytes[0] > kMostSignificantFirst) {
        return std::nullopt;
    }
    Reader reader{bytes, size, 8, bytes[0] == kMostSignificantFirst};  // past the order and the serial
    const std::uint32_t count = reader.number(4);
    for (std::uint32_t setting = 0; setting < count; ++setting) {
        if (!reader.has(4)) {
            return std::nullopt;
        }
        const auto type = static_cast<SettingType>(bytes[reader.at]);
        reader.at += 2;
        const std::size_t length = reader.number(2);
        if (!reader.has(padded(length) + 4)) {
            return std::nullopt;
        }
        const std::string_view settingName(reinterpret_cast<const char*>(bytes + reader.at), length);
        reader.at += padded(length) + 4;  // the name, and the serial of its last change
        if (type == kInteger && reader.has(4)) {
            const auto value = static_cast<std::int32_t>(reader.number(4));
            if (settingName == name) {
                return value;
            }
        } else if (type == kString && reader.has(4)) {
            const std::size_t valueLength = reader.number(4);
            if (!reader.has(padded(valueLength))) {
                return std::nullopt;
            }
            reader.at += padded(valueLength);
        } else if (type == kColour && reader.has(8)) {
            reader.at += 8;
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}
