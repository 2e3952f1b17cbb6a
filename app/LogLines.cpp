// The log's text lies end to end in blocks of BlockBytes, a line running on into the next block
// where the block ends; line i is the bytes between the end of line i - 1 and its own end. The
// text is never moved or copied as the log grows, so one append costs the same at any length,
// and the store holds the text plus eight bytes a line.
#include "app/LogLines.h"

#include <cstdio>

#include <algorithm>
#include <cassert>
#include <cstring>

TLogLines::TLogLines(std::size_t blockBytes, std::size_t linesPerChunk)
    : BlockBytes(blockBytes), LinesPerChunk(linesPerChunk) {
    assert(BlockBytes > 0 && LinesPerChunk > 0);
}

void TLogLines::Append(std::string_view text) {
    // The window system's text ends at a zero byte; the log's lines end there too, so that the
    // box and the saved file hold the same line.
    text = text.substr(0, text.find('\0'));
    while (!text.empty()) {
        const std::size_t offset = static_cast<std::size_t>(Used % BlockBytes);
        if (offset == 0 && Used / BlockBytes == Blocks.size()) {
            Blocks.push_back(std::unique_ptr<char[]>(new char[BlockBytes]));
        }
        const std::size_t room = std::min(BlockBytes - offset, text.size());
        std::memcpy(Blocks.back().get() + offset, text.data(), room);
        Used += room;
        text.remove_prefix(room);
    }
    if (Count % LinesPerChunk == 0) {
        Ends.push_back(std::unique_ptr<std::uint64_t[]>(new std::uint64_t[LinesPerChunk]));
    }
    Ends.back()[Count % LinesPerChunk] = Used;
    ++Count;
}

std::uint64_t TLogLines::LineEnd(std::size_t index) const {
    return Ends[index / LinesPerChunk][index % LinesPerChunk];
}

std::uint64_t TLogLines::LineStart(std::size_t index) const {
    return index == 0 ? 0 : LineEnd(index - 1);
}

std::size_t TLogLines::LineLength(std::size_t index) const {
    assert(index < Count);
    return static_cast<std::size_t>(LineEnd(index) - LineStart(index));
}

template <typename TPiece>
void TLogLines::ForEachPiece(std::uint64_t start, std::uint64_t end, TPiece&& piece) const {
    while (start < end) {
        const std::size_t offset = static_cast<std::size_t>(start % BlockBytes);
        const std::size_t size =
            static_cast<std::size_t>(std::min<std::uint64_t>(BlockBytes - offset, end - start));
        piece(Blocks[static_cast<std::size_t>(start / BlockBytes)].get() + offset, size);
        start += size;
    }
}

std::size_t TLogLines::CopyLine(std::size_t index, char* buffer, std::size_t capacity) const {
    assert(index < Count);
    if (capacity == 0) {
        return 0;
    }
    const std::uint64_t start = LineStart(index);
    const std::uint64_t end = std::min<std::uint64_t>(LineEnd(index), start + capacity - 1);
    std::size_t copied = 0;
    ForEachPiece(start, end, [&](const char* data, std::size_t size) {
        std::memcpy(buffer + copied, data, size);
        copied += size;
    });
    buffer[copied] = '\0';
    return copied;
}

std::string TLogLines::Line(std::size_t index) const {
    assert(index < Count);
    std::string line;
    line.reserve(LineLength(index));
    ForEachPiece(LineStart(index), LineEnd(index),
                 [&](const char* data, std::size_t size) { line.append(data, size); });
    return line;
}

bool TLogLines::WriteTo(std::FILE* file, std::string_view lineEnd) const {
    std::uint64_t start = 0;
    bool written = true;
    for (std::size_t i = 0; i < Count && written; ++i) {
        const std::uint64_t end = LineEnd(i);
        ForEachPiece(start, end, [&](const char* data, std::size_t size) {
            written = written && std::fwrite(data, 1, size, file) == size;
        });
        written = written && std::fwrite(lineEnd.data(), 1, lineEnd.size(), file) == lineEnd.size();
        start = end;
    }
    return written;
}

std::size_t TLogLines::ReservedBytes() const {
    return Blocks.size() * BlockBytes + Ends.size() * LinesPerChunk * sizeof(std::uint64_t) +
           Blocks.capacity() * sizeof(Blocks[0]) + Ends.capacity() * sizeof(Ends[0]);
}
