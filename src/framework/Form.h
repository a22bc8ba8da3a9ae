#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "framework/CachedCast.h"
#include "framework/Saturate.h"
#include "framework/Exception.h"
#include "framework/WinControl.h"

namespace quill {

// A top-level window that owns every component of a page. Its size is the
// outer size; the client area is that less the frame.
class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    std::string ClassName() const override { return "TForm"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }

    static constexpr int kFrameWidth = 8;
    static constexpr int kFrameHeight = 34;
    int ClientWidth() const override { return SaturatedSub(Width(), kFrameWidth); }
    int ClientHeight() const override { return SaturatedSub(Height(), kFrameHeight); }

    // Called once a form class read from its design has its components:
    // binds the class's component fields by name, raising Exception (whose
    // message the reader places) when one is missing.
    virtual void BindComponents() {}

    // A line about the form's state that the window shows below its client
    // area.
    const std::string& StatusText() const { return FStatusText; }
    void SetStatusText(const std::string& text);

    // The folder that file names in the design are relative to: the
    // folder of the design file the form was read from, or empty for the
    // current one.
    const std::string& DesignFolder() const { return FDesignFolder; }
    void SetDesignFolder(std::string folder) { FDesignFolder = std::move(folder); }

private:
    std::string FStatusText;
    std::string FDesignFolder;
};

// The folder part of a design file's name; empty when it names none.
std::string DesignFolderOf(const std::string& fileName);

// For BindComponents: the form's component of class T named `name`;
// raises Exception when there is none.
template <class T>
T* BindComponent(const TForm& form, std::string_view name) {
    auto* component = ExactOrDynamicCast<T>(form.FindComponent(name));
    if (!component) throw Exception("the form needs a " + T::StaticInfo().Name + " named " + std::string(name));
    return component;
}

}  // namespace quill
