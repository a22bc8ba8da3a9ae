#include "framework/Strings.h"

#include <algorithm>
#include <cstring>

#include "framework/Exception.h"
#include "framework/TextHelpers.h"
#include "platform/AtomicFile.h"

namespace quill {

namespace {

constexpr std::string_view kLineBreak = "\r\n";
// Blocks double from the first to the largest; a longer line gets a block
// of its own size.
constexpr size_t kFirstBlock = 1024;
constexpr size_t kLargestBlock = size_t{1} << 20;

}  // namespace

int TStrings::Add(std::string_view text) {
    int index = Count();
    Insert(index, text);
    return index;
}

void TStrings::AddStrings(const TStrings& other) {
    BeginUpdate();
    // Copy first: `other` may be this very list.
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(other.Count()));
    for (int i = 0; i < other.Count(); ++i) lines.emplace_back(other.View(i));
    for (const std::string& line : lines) Add(line);
    EndUpdate();
}

void TStrings::BeginUpdate() {
    if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::WriteText(const std::function<void(std::string_view)>& write) const {
    for (int i = 0; i < Count(); ++i) {
        write(View(i));
        write(kLineBreak);
    }
}

std::string TStrings::Text() const {
    std::string text;
    WriteText([&text](std::string_view piece) { text += piece; });
    return text;
}

void TStrings::SaveToFile(const std::string& fileName) const {
    // Piece by piece: a big page is never joined into a second copy.
    platform::SaveFile(fileName, [this](platform::FileWriter& out) {
        WriteText([&out](std::string_view piece) { out.Write(piece); });
    });
}

int TStrings::IndexOfName(const std::string& name) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(Names(i), name)) return i;
    return -1;
}

std::string TStrings::Names(int index) const {
    const std::string_view entry = View(index);
    size_t eq = entry.find('=');
    return eq == std::string_view::npos ? std::string() : std::string(entry.substr(0, eq));
}

std::string TStrings::ValueFromIndex(int index) const {
    const std::string_view entry = View(index);
    size_t eq = entry.find('=');
    return eq == std::string_view::npos ? std::string() : std::string(entry.substr(eq + 1));
}

TStringList::TStringList() = default;
TStringList::~TStringList() = default;

TStringList::TStringList(const TStringList& other) : TStrings(other), OnChange(other.OnChange) {
    FStarts.reserve(static_cast<size_t>(other.Count()));
    for (int i = 0; i < other.Count(); ++i) AppendPacked(other.View(i));
}

TStringList& TStringList::operator=(const TStringList& other) {
    if (this != &other) *this = TStringList(other);
    return *this;
}

int TStringList::Count() const {
    return static_cast<int>(FUnpacked ? FItems.size() : FStarts.size());
}

const std::string& TStringList::Get(int index) const {
    CheckIndex(index, Count() - 1);
    Unpack();
    return FItems[static_cast<size_t>(index)];
}

std::string_view TStringList::View(int index) const {
    CheckIndex(index, Count() - 1);
    return FUnpacked ? std::string_view(FItems[static_cast<size_t>(index)]) : PackedLine(static_cast<size_t>(index));
}

void TStringList::Put(int index, std::string_view text) {
    CheckIndex(index, Count() - 1);
    if (FUnpacked) {
        FItems[static_cast<size_t>(index)].assign(text);
    } else if (index + 1 == Count()) {
        DropLastPacked();
        AppendPacked(text);
    } else {
        // `text` may lie in the packed blocks, which unpacking keeps.
        Unpack();
        FItems[static_cast<size_t>(index)].assign(text);
    }
    Changed();
}

void TStringList::Insert(int index, std::string_view text) {
    CheckIndex(index, Count());
    if (!FUnpacked && index == Count()) {
        AppendPacked(text);
    } else {
        Unpack();
        FItems.emplace(FItems.begin() + index, text);
    }
    Changed();
}

int TStringList::Add(std::string_view text) {
    // The common way a page grows: straight onto the packed blocks.
    if (FUnpacked) return TStrings::Add(text);
    char* line = BeginLine(text.size());
    // memmove: the text may be a line of this list, now dropped but still there.
    std::memmove(line, text.data(), text.size());
    EndLine(line + text.size());
    return Count() - 1;
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count() - 1);
    if (!FUnpacked && index + 1 == Count()) {
        DropLastPacked();
    } else {
        Unpack();
        FItems.erase(FItems.begin() + index);
    }
    Changed();
}

void TStringList::Clear() {
    const bool hadLines = Count() > 0;
    // The blocks stay for the next lines: a page made again allocates nothing.
    for (TBlock& block : FBlocks) block.Size = 0;
    FBlock = 0;
    if (!FBlocks.empty()) FBlocks[0].FirstLine = 0;
    FStarts.clear();
    FItems.clear();
    FUnpacked = false;
    if (hadLines) Changed();
}

void TStringList::Reserve(int count) {
    if (count <= 0) return;
    if (FUnpacked)
        FItems.reserve(static_cast<size_t>(count));
    else
        FStarts.reserve(static_cast<size_t>(count));
}

std::string TStringList::Text() const {
    if (FUnpacked) return TStrings::Text();
    size_t size = 0;
    for (const TBlock& block : FBlocks) size += block.Size;
    std::string text;
    text.reserve(size);
    WriteText([&text](std::string_view piece) { text += piece; });
    return text;
}

void TStringList::WriteText(const std::function<void(std::string_view)>& write) const {
    if (FUnpacked) return TStrings::WriteText(write);
    for (const TBlock& block : FBlocks)
        if (block.Size > 0) write({block.Data.get(), block.Size});
}

char* TStringList::RoomFor(size_t need) {
    // A line must start within 32 bits of its block's start.
    if (FBlocks.empty() || FBlocks[FBlock].Capacity - FBlocks[FBlock].Size < need ||
        FBlocks[FBlock].Size > UINT32_MAX) {
        // The next block when it is empty and large enough, else a new one
        // put in its place; the blocks before keep their lines.
        const size_t next = FBlocks.empty() ? 0 : FBlock + 1;
        if (next == FBlocks.size() || FBlocks[next].Capacity < need) {
            const size_t previous = FBlocks.empty() ? 0 : FBlocks[FBlock].Capacity;
            TBlock block;
            block.Capacity = std::max(need, std::clamp(2 * previous, kFirstBlock, kLargestBlock));
            block.Data.reset(new char[block.Capacity]);
            FBlocks.insert(FBlocks.begin() + static_cast<std::ptrdiff_t>(next), std::move(block));
        }
        FBlock = next;
        FBlocks[FBlock].FirstLine = FStarts.size();
    }
    TBlock& block = FBlocks[FBlock];
    return block.Data.get() + block.Size;
}

void TStringList::AppendPacked(std::string_view text) {
    char* line = RoomFor(text.size() + kLineBreak.size());
    // memmove: the text may be a line of this list, now dropped but still there.
    std::memmove(line, text.data(), text.size());
    EndPacked(line + text.size());
}

char* TStringList::BeginLineSlow(size_t maxLength) {
    if (FUnpacked) {
        FPending.resize(maxLength);
        return FPending.data();
    }
    return RoomFor(maxLength + kLineBreak.size());
}

void TStringList::EndLineSlow(const char* end) {
    Add(std::string_view(FPending.data(), static_cast<size_t>(end - FPending.data())));
}

void TStringList::DropLastPacked() {
    // The last line ends the last non-empty block; it becomes the one filled.
    while (FBlocks[FBlock].Size == 0) --FBlock;
    FBlocks[FBlock].Size = FStarts.back();
    FStarts.pop_back();
}

size_t TStringList::BlockOf(size_t line) const {
    // Most reads go line after line: try the block of the last one first.
    auto holds = [this, line](size_t b) {
        return FBlocks[b].FirstLine <= line && (b == FBlock || line < FBlocks[b + 1].FirstLine);
    };
    if (FLastBlock <= FBlock && holds(FLastBlock)) return FLastBlock;
    if (FLastBlock < FBlock && holds(FLastBlock + 1)) return ++FLastBlock;
    // The last block whose first line is not after the line; an emptied
    // block shares its first line with the one after it.
    auto it = std::upper_bound(FBlocks.begin(), FBlocks.begin() + static_cast<std::ptrdiff_t>(FBlock) + 1, line,
                               [](size_t l, const TBlock& b) { return l < b.FirstLine; });
    FLastBlock = static_cast<size_t>(it - FBlocks.begin()) - 1;
    return FLastBlock;
}

std::string_view TStringList::PackedLine(size_t line) const {
    const size_t b = BlockOf(line);
    const TBlock& block = FBlocks[b];
    const bool lastOfBlock = line + 1 == FStarts.size() || (b < FBlock && line + 1 == FBlocks[b + 1].FirstLine);
    const size_t end = lastOfBlock ? block.Size : FStarts[line + 1];
    return {block.Data.get() + FStarts[line], end - FStarts[line] - kLineBreak.size()};
}

void TStringList::Unpack() const {
    if (FUnpacked) return;
    FItems.clear();
    FItems.reserve(FStarts.size());
    for (size_t i = 0; i < FStarts.size(); ++i) FItems.emplace_back(PackedLine(i));
    FUnpacked = true;
    // The blocks keep their bytes: a text being put may still lie in them.
    // They are emptied when the list is cleared.
    FStarts.clear();
}

void TStringList::SetUpdateState(bool updating) {
    if (updating) {
        FChangedWhileUpdating = false;
    } else if (FChangedWhileUpdating) {
        FChangedWhileUpdating = false;
        if (OnChange) OnChange(this);
    }
}

void TStringList::CheckIndex(int index, int limit) const {
    if (index < 0 || index > limit)
        throw Exception(Format("List index out of bounds (%d)", {int64_t{index}}));
}

}  // namespace quill
