#pragma once

#include <string>
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
    virtual void Put(int index, const std::string& text) = 0;
    virtual void Insert(int index, const std::string& text) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    const std::string& operator[](int index) const { return Get(index); }
    int Add(const std::string& text);
    void AddStrings(const TStrings& other);
    // Room for `count` lines in all, made ahead; a hint that lists may ignore.
    virtual void Reserve(int count) { (void)count; }

    // Change notices are held back until the outermost EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }

    // Every line followed by CR LF, the last one too.
    std::string Text() const;
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

private:
    int FUpdateCount = 0;
};

class TStringList : public TStrings {
public:
    std::string ClassName() const override { return "TStringList"; }

    int Count() const override { return static_cast<int>(FItems.size()); }
    const std::string& Get(int index) const override;
    void Put(int index, const std::string& text) override;
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Clear() override;
    void Reserve(int count) override;

    // Fired after each change, or once when the outermost update ends.
    TNotifyEvent OnChange;

protected:
    void SetUpdateState(bool updating) override;

private:
    void Changed();
    void CheckIndex(int index, int limit) const;

    std::vector<std::string> FItems;
    bool FChangedWhileUpdating = false;
};

}  // namespace quill
