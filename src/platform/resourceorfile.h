// platform/resourceorfile.h
// How every device finds what the data names: the built-in resource of that type and name when
// the program has one, else the file of that name. A built-in resource is borrowed from the
// program's table; a file's bytes are owned by the result.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace kipkip {

class ResourceBytes {
public:
    explicit ResourceBytes(std::span<const std::uint8_t> builtIn) : builtIn_(builtIn) {}
    explicit ResourceBytes(std::vector<std::uint8_t> file) : file_(std::move(file)), fromFile_(true)
    {}

    std::span<const std::uint8_t> Bytes() const
    {
        return fromFile_ ? std::span<const std::uint8_t>(file_) : builtIn_;
    }
    bool FromFile() const { return fromFile_; }

private:
    std::span<const std::uint8_t> builtIn_;
    std::vector<std::uint8_t> file_;
    bool fromFile_ = false;
};

// Where built-in resources are looked up: the program's table, or a table of a test's own.
using ResourceLookup = std::function<std::optional<std::span<const std::uint8_t>>(
    std::string_view type, std::string_view name)>;

// Nothing when there is neither a resource nor a readable file of that name.
std::optional<ResourceBytes> ReadResourceOrFile(std::string_view type, std::string_view name,
                                                const ResourceLookup& lookup = nullptr);

}  // namespace kipkip
