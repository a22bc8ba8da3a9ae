#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>
#include <string>

namespace quill::studio {

class TDesignDocument;

// Keeps a copy of a dirty design so that a crash loses nothing: beside the
// design as ".NAME.autosave", or in the Studio's data folder for a design
// never saved. It is written a moment after each change and at least every
// few seconds while changes come, and removed once the design is saved,
// discarded or closed.
class TAutosave : public QObject {
    Q_OBJECT

public:
    explicit TAutosave(TDesignDocument& document, QObject* parent = nullptr);

    // Where the copy of a design of that file goes ("" for a new design).
    static std::string PathFor(const std::string& fileName);
    // The copy's text when one is newer than the design's file (or, for a
    // new design, when there is one at all).
    static std::optional<std::string> NewerCopy(const std::string& fileName);
    // Removes the copy of that file's design, if any.
    static void Remove(const std::string& fileName);

    // Writes the copy now, when the design has unsaved changes.
    void WriteNow();
    // Waits after a change and between writes.
    void SetDelays(int afterChangeMs, int atMostMs);

signals:
    // A copy could not be written; the design itself is untouched.
    void Failed(const QString& message);

private:
    void DesignChanged();

    TDesignDocument& FDocument;
    QTimer FDebounce;  // restarts with each change
    QTimer FAtMost;    // runs once per burst of changes
    std::string FWrittenFor;  // the file whose copy was written last
};

}  // namespace quill::studio
