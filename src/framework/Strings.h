#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Event.h"
#include "framework/Persistent.h"

namespace quill {

// An ordered list of 8-bit strings.
class TStrings : public TPersistent {
public:
    std::string ClassName() const override { return "TStrings"; }

    virtual int Count() const = 0;
    virtual const std::string& Get(int index) const = 0;
    virtual void Put(int index, std::string_view text) = 0;
    virtual void Insert(int index, std::string_view text) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    // The line's text without a copy; valid until the list changes.
    virtual std::string_view View(int index) const { return Get(index); }

    const std::string& operator[](int index) const { return Get(index); }
    // Inserts at the end; answers the new line's index.
    virtual int Add(std::string_view text);
    void AddStrings(const TStrings& other);
    // Room for `count` lines in all, made ahead; a hint that lists may ignore.
    virtual void Reserve(int count) { (void)count; }

    // Change notices are held back until the outermost EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }

    // Every line followed by CR LF, the last one too.
    virtual std::string Text() const;
    // Writes Text() to the file, creating or replacing it the safe way for
    // what sits at the path; raises Exception naming the file and reason.
    void SaveToFile(const std::string& fileName) const;

    // The first entry whose text before its first "=" equals `name`,
    // letter case ignored; -1 when there is none.
    int IndexOfName(const std::string& name) const;
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;

protected:
    virtual void SetUpdateState(bool updating) { (void)updating; }
    // Hands every line, each followed by CR LF, to `write` in order.
    virtual void WriteText(const std::function<void(std::string_view)>& write) const;

private:
    int FUpdateCount = 0;
};

// Lines are kept packed, each followed by its CR LF, in a few large blocks
// while the list only grows or changes at its end, as a page does: adding
// a line then allocates nothing once the blocks exist, Text is one copy and
// saving writes whole blocks. The first Get, or an edit before the last
// line, turns the list into one string per line for good (until Clear),
// so references that Get hands out stay valid as long as with any list.
// Like every list, it is not for several threads at once, not even to read.
class TStringList : public TStrings {
public:
    TStringList();
    ~TStringList() override;
    // A copy holds the same lines and handler, packed afresh.
    TStringList(const TStringList& other);
    TStringList& operator=(const TStringList& other);
    TStringList(TStringList&&) noexcept = default;
    TStringList& operator=(TStringList&&) noexcept = default;

    std::string ClassName() const override { return "TStringList"; }

    int Count() const override;
    const std::string& Get(int index) const override;
    std::string_view View(int index) const override;
    void Put(int index, std::string_view text) override;
    void Insert(int index, std::string_view text) override;
    int Add(std::string_view text) override;
    void Delete(int index) override;
    void Clear() override;
    void Reserve(int count) override;
    std::string Text() const override;

    // A line written in place: BeginLine gives room for up to `maxLength`
    // bytes, EndLine adds what was written up to `end`. Nothing else may
    // touch the list in between. Spares the copy through a buffer of the
    // caller's.
    char* BeginLine(size_t maxLength) {
        // Inline for the common case, a line that fits the current block.
        if (!FUnpacked && !FBlocks.empty()) {
            TBlock& block = FBlocks[FBlock];
            if (block.Capacity - block.Size >= maxLength + 2 && block.Size <= UINT32_MAX)
                return block.Data.get() + block.Size;
        }
        return BeginLineSlow(maxLength);
    }
    void EndLine(const char* end) {
        if (FUnpacked) return EndLineSlow(end);
        EndPacked(end);
        Changed();
    }

    // Fired after each change, or once when the outermost update ends.
    TNotifyEvent OnChange;

protected:
    void SetUpdateState(bool updating) override;
    void WriteText(const std::function<void(std::string_view)>& write) const override;

private:
    struct TBlock {
        std::unique_ptr<char[]> Data;
        size_t Size = 0;
        size_t Capacity = 0;
        size_t FirstLine = 0;  // the index of its first line, once filled
    };

    char* BeginLineSlow(size_t maxLength);
    void EndLineSlow(const char* end);
    void Changed() {
        if (Updating())
            FChangedWhileUpdating = true;
        else if (OnChange)
            OnChange(this);
    }
    void CheckIndex(int index, int limit) const;
    char* RoomFor(size_t need);
    void EndPacked(const char* end) {
        TBlock& block = FBlocks[FBlock];
        char* line = block.Data.get() + block.Size;
        const auto length = static_cast<size_t>(end - line);
        line[length] = '\r';
        line[length + 1] = '\n';
        FStarts.push_back(static_cast<uint32_t>(block.Size));
        block.Size += length + 2;
    }
    void AppendPacked(std::string_view text);
    void DropLastPacked();
    void Unpack() const;
    size_t BlockOf(size_t line) const;
    std::string_view PackedLine(size_t line) const;

    // Packed form: the blocks hold the lines in order, FBlock is the one
    // being filled, and later ones are empty and kept for reuse. A line is
    // known by where it starts in its block, four bytes a line: a block
    // holds at most a megabyte, or one longer line that starts it.
    std::vector<TBlock> FBlocks;
    size_t FBlock = 0;
    mutable std::vector<uint32_t> FStarts;
    mutable size_t FLastBlock = 0;
    // One string per line, once unpacked.
    mutable std::vector<std::string> FItems;
    mutable bool FUnpacked = false;
    std::string FPending;  // a line begun while unpacked
    bool FChangedWhileUpdating = false;
};

}  // namespace quill
