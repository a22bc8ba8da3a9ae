#include "framework/Strings.h"

#include "framework/Exception.h"
#include "framework/TextHelpers.h"
#include "platform/AtomicFile.h"

namespace quill {

int TStrings::Add(const std::string& text) {
    int index = Count();
    Insert(index, text);
    return index;
}

void TStrings::AddStrings(const TStrings& other) {
    BeginUpdate();
    // Copy first: `other` may be this very list.
    std::vector<std::string> lines;
    for (int i = 0; i < other.Count(); ++i) lines.push_back(other.Get(i));
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

std::string TStrings::Text() const {
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SaveToFile(const std::string& fileName) const {
    // Line by line: a big page is never joined into a second copy.
    platform::SaveFile(fileName, [this](platform::FileWriter& out) {
        for (int i = 0; i < Count(); ++i) {
            out.Write(Get(i));
            out.Write("\r\n");
        }
    });
}

int TStrings::IndexOfName(const std::string& name) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(Names(i), name)) return i;
    return -1;
}

std::string TStrings::Names(int index) const {
    const std::string& entry = Get(index);
    size_t eq = entry.find('=');
    return eq == std::string::npos ? std::string() : entry.substr(0, eq);
}

std::string TStrings::ValueFromIndex(int index) const {
    const std::string& entry = Get(index);
    size_t eq = entry.find('=');
    return eq == std::string::npos ? std::string() : entry.substr(eq + 1);
}

const std::string& TStringList::Get(int index) const {
    CheckIndex(index, Count() - 1);
    return FItems[index];
}

void TStringList::Put(int index, const std::string& text) {
    CheckIndex(index, Count() - 1);
    FItems[index] = text;
    Changed();
}

void TStringList::Insert(int index, const std::string& text) {
    CheckIndex(index, Count());
    FItems.insert(FItems.begin() + index, text);
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count() - 1);
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty()) return;
    FItems.clear();
    Changed();
}

void TStringList::Reserve(int count) {
    if (count > 0) FItems.reserve(static_cast<size_t>(count));
}

void TStringList::SetUpdateState(bool updating) {
    if (updating) {
        FChangedWhileUpdating = false;
    } else if (FChangedWhileUpdating) {
        FChangedWhileUpdating = false;
        if (OnChange) OnChange(this);
    }
}

void TStringList::Changed() {
    if (Updating())
        FChangedWhileUpdating = true;
    else if (OnChange)
        OnChange(this);
}

void TStringList::CheckIndex(int index, int limit) const {
    if (index < 0 || index > limit)
        throw Exception(Format("List index out of bounds (%d)", {int64_t{index}}));
}

}  // namespace quill
