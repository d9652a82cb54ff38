#pragma once

#include <string>
#include <string_view>

namespace VexoFade {

// Where a fade writes its markup, block by block. Every block ends where a
// grapheme cluster of the text ends, so a surrogate pair is never split
// between two blocks.
class MarkupSink {
public:
    virtual ~MarkupSink() = default;
    virtual void Write(std::u16string_view block) = 0;
};

// Collects the markup in a string.
class StringSink final : public MarkupSink {
public:
    explicit StringSink(std::u16string& out) : out_(out) {}
    void Write(std::u16string_view block) override { out_.append(block); }

private:
    std::u16string& out_;
};

} // namespace VexoFade
