#pragma once

#include <QUndoCommand>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace quill::studio {

class TDesignDocument;

// The undo commands of a design. Each names components by name, never by
// pointer: a component deleted and made again by undo is a new object.

// Values that changed on components, as ChangedValues gives them.
struct TValueChange {
    std::string Component;
    nlohmann::ordered_json Before;
    nlohmann::ordered_json After;
};

// Property changes and moves. `applied`: the form already shows the
// change, so the first redo does nothing.
class TValuesCommand : public QUndoCommand {
public:
    TValuesCommand(TDesignDocument& document, const QString& text, std::vector<TValueChange> changes, bool applied);
    void redo() override;
    void undo() override;

private:
    void Apply(bool after);

    TDesignDocument& FDocument;
    std::vector<TValueChange> FChanges;
    bool FSkipRedo;
};

// New components from design JSON trees, made in `parent`; `applied`
// as for TValuesCommand.
class TInsertCommand : public QUndoCommand {
public:
    TInsertCommand(TDesignDocument& document, const QString& text, std::string parent,
                   std::vector<nlohmann::ordered_json> trees, bool applied);
    void redo() override;
    void undo() override;

private:
    TDesignDocument& FDocument;
    std::string FParent;
    std::vector<nlohmann::ordered_json> FTrees;
    bool FSkipRedo;
};

// Deletes components and those below them; undo makes them again in their
// places, with the references other components held to them.
class TDeleteCommand : public QUndoCommand {
public:
    TDeleteCommand(TDesignDocument& document, const QString& text, std::vector<std::string> names);
    void redo() override;
    void undo() override;

private:
    struct TTop {
        std::string Parent;
        nlohmann::ordered_json Tree;
    };
    struct TPosition {
        std::string Name;
        int Index;
    };
    struct TReference {
        std::string Holder;
        std::vector<std::string> Path;  // nested objects down from the holder
        std::string Prop;
        std::string Target;
    };

    TDesignDocument& FDocument;
    std::vector<std::string> FNames;
    std::vector<TTop> FTops;
    std::vector<TPosition> FOwned;     // places among the form's components
    std::vector<TPosition> FChildren;  // places among their parents' children
    std::vector<TReference> FReferences;
};

// Moves controls into another container, or to the front or back of
// their own; undo puts each back in its place in both orders.
class TPlaceCommand : public QUndoCommand {
public:
    enum class TKind { Reparent, Front, Back };
    // For Reparent: `parent` and each control's new position.
    struct TTarget {
        std::string Name;
        int Left = 0;
        int Top = 0;
    };
    TPlaceCommand(TDesignDocument& document, const QString& text, TKind kind, std::vector<TTarget> targets,
                  std::string parent = {});
    void redo() override;
    void undo() override;

private:
    struct TOld {
        std::string Name;
        std::string Parent;
        int Owned;
        int Child;
        int Left;
        int Top;
    };

    TDesignDocument& FDocument;
    TKind FKind;
    std::vector<TTarget> FTargets;
    std::string FParent;
    std::vector<TOld> FOld;  // in the order they were moved
};

// The whole form replaced, by a recovered copy.
class TReplaceCommand : public QUndoCommand {
public:
    TReplaceCommand(TDesignDocument& document, const QString& text, std::string before, std::string after);
    void redo() override;
    void undo() override;

private:
    TDesignDocument& FDocument;
    std::string FBefore;
    std::string FAfter;
};

}  // namespace quill::studio
