// TLogLines: the event log's text, the one copy of it, in large fixed-size blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/LogBox.h"

class TLogLines : public ILogLines {
  public:
    static constexpr std::size_t kDefaultBlockBytes = std::size_t{1} << 20;
    static constexpr std::size_t kDefaultLinesPerChunk = std::size_t{1} << 16;

    explicit TLogLines(std::size_t blockBytes = kDefaultBlockBytes,
                       std::size_t linesPerChunk = kDefaultLinesPerChunk);

    TLogLines(const TLogLines&) = delete;
    TLogLines& operator=(const TLogLines&) = delete;

    // Appends one line: the text up to its first zero byte.
    void Append(std::string_view text);

    std::size_t LineCount() const override { return Count; }
    std::size_t LineLength(std::size_t index) const override;
    std::size_t CopyLine(std::size_t index, char* buffer, std::size_t capacity) const override;

    std::string Line(std::size_t index) const;

    // Writes every line followed by lineEnd; false at the first write that fails (the rest is
    // not tried).
    bool WriteTo(std::FILE* file, std::string_view lineEnd) const;

    // The bytes of text held, and the bytes of heap the store holds for it (blocks, offset
    // chunks and the tables of both).
    std::size_t TextBytes() const { return Used; }
    std::size_t ReservedBytes() const;

  private:
    std::uint64_t LineStart(std::size_t index) const;
    std::uint64_t LineEnd(std::size_t index) const;
    // Calls piece(data, size) for each block's part of the bytes [start, end).
    template <typename TPiece>
    void ForEachPiece(std::uint64_t start, std::uint64_t end, TPiece&& piece) const;

    std::size_t BlockBytes;
    std::size_t LinesPerChunk;
    std::vector<std::unique_ptr<char[]>> Blocks;
    // End of each line in the text, LinesPerChunk to a chunk; a full chunk is never moved.
    std::vector<std::unique_ptr<std::uint64_t[]>> Ends;
    std::size_t Count = 0;
    std::uint64_t Used = 0;
};
