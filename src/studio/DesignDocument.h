#pragma once

#include <QPoint>
#include <QUndoStack>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <unordered_map>
#include <vector>

#include "studio/DesignEditor.h"

namespace quill::studio {

// A control's bounds before a move or resize that already happened.
struct TBoundsChange {
    TControl* Control;
    TRect Before;
};

// The open design: the form read from its file (or a new one), its file
// name, its undo stack and the selection. Every change goes through an
// undo command that stores, as design JSON, what it changes, so that undo
// restores the form exactly and an undone design saves to the same bytes.
class TDesignDocument : public TDesignEditor {
    Q_OBJECT

public:
    // Starts with a new design.
    explicit TDesignDocument(QObject* parent = nullptr);
    ~TDesignDocument() override;

    TForm& Form() override { return *FForm; }
    const TForm& Form() const { return *FForm; }
    std::string FileName() const override { return FFileName; }
    void SetProperty(TPersistent& object, const TPropInfo& prop, const nlohmann::json& value) override;
    const std::vector<TComponent*>& Selection() const override { return FSelection; }
    void Select(const std::vector<TComponent*>& components) override;

    // Files. Open and the saves raise Exception with the reason; a failed
    // open changes nothing, a failed save keeps the design dirty.
    void New();
    void Open(const std::string& fileName);
    // Opens `fileName` with the content of `text` (a recovered copy) as
    // one undoable change, so the design is dirty until saved.
    void OpenRecovered(const std::string& fileName, const std::string& text);
    void Save();
    void SaveAs(const std::string& fileName);
    bool IsDirty() const { return !FUndo.isClean(); }
    // The design as Save writes it.
    std::string DesignText() const;

    QUndoStack& UndoStack() { return FUndo; }

    // Changes, each one undo step.
    // Records bounds the controls were already given (by a drag).
    void CommitBounds(const std::vector<TBoundsChange>& changes, const QString& text);
    void MoveBy(const std::vector<TComponent*>& components, int dx, int dy);
    // A new component of the class, in `parent` at (left, top) for a
    // control; named after its class. Returns it, selected.
    TComponent& Add(const TClassInfo& info, TWinControl& parent, int left, int top);
    void Delete(const std::vector<TComponent*>& components);
    // Moves the controls into `parent`, keeping where they are on the form.
    void Reparent(const std::vector<TComponent*>& components, TWinControl& parent);
    void BringToFront(const std::vector<TComponent*>& components);
    void SendToBack(const std::vector<TComponent*>& components);

    // The clipboard's design JSON for the components and those below them.
    std::string CopyText(const std::vector<TComponent*>& components) const;
    // Adds the components of design JSON (from CopyText, or a whole
    // design's children) to `parent`, each keeping its name when it is
    // free and else getting a fresh one; renamed controls are offset by
    // `offset` so they do not hide their originals. Returns them, selected.
    std::vector<TComponent*> Paste(const std::string& text, TWinControl& parent, int offset = 8);
    void Cut(const std::vector<TComponent*>& components);
    std::vector<TComponent*> Duplicate(const std::vector<TComponent*>& components);

    // For the undo commands: the form's components by lower-case name.
    std::unordered_map<std::string, TComponent*> NameIndex() const;
    // Makes the form one read from `text`, raising as the reader does.
    void ReplaceForm(const std::string& text);
    // Destroys the components (listed parents first), after dropping them
    // from the selection.
    void Destroy(const std::vector<TComponent*>& components);
    // Tells the panes after a change made outside a command.
    void NotifyChanged();

signals:
    void DirtyChanged(bool dirty);
    void FileNameChanged();

private:
    // The components of the list that no other one of it contains.
    std::vector<TComponent*> Tops(const std::vector<TComponent*>& components) const;
    void Load(std::unique_ptr<TForm> form, const std::string& fileName, const std::string& schema);

    std::unique_ptr<TForm> FForm;
    std::string FFileName;
    std::string FSchema;  // kept for editors, as formatting keeps it
    QUndoStack FUndo;
    std::vector<TComponent*> FSelection;
};

// Where a control's client area starts on the form's client area.
QPoint ClientOrigin(const TControl& control);

}  // namespace quill::studio
