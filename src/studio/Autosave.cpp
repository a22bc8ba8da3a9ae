#include "studio/Autosave.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <filesystem>

#include "framework/DesignLimits.h"
#include "framework/Exception.h"
#include "platform/AtomicFile.h"
#include "studio/DesignDocument.h"

namespace quill::studio {

TAutosave::TAutosave(TDesignDocument& document, QObject* parent) : QObject(parent), FDocument(document) {
    FDebounce.setSingleShot(true);
    FAtMost.setSingleShot(true);
    SetDelays(1000, 5000);
    connect(&FDebounce, &QTimer::timeout, this, &TAutosave::WriteNow);
    connect(&FAtMost, &QTimer::timeout, this, &TAutosave::WriteNow);
    connect(&document, &TDesignDocument::Changed, this, &TAutosave::DesignChanged);
    connect(&document, &TDesignDocument::DirtyChanged, this, [this](bool dirty) {
        if (dirty) return;
        // Saved, or undone back to the saved state: no copy is needed.
        FDebounce.stop();
        FAtMost.stop();
        Remove(FDocument.FileName());
    });
    // A design opened or saved under another name leaves its old copy.
    connect(&document, &TDesignDocument::FileNameChanged, this, [this] {
        if (FWrittenFor != FDocument.FileName()) Remove(FWrittenFor);
    });
}

void TAutosave::SetDelays(int afterChangeMs, int atMostMs) {
    FDebounce.setInterval(afterChangeMs);
    FAtMost.setInterval(atMostMs);
}

std::string TAutosave::PathFor(const std::string& fileName) {
    if (fileName.empty()) {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        return QDir(folder).filePath("untitled.form.json.autosave").toStdString();
    }
    const std::filesystem::path path(fileName);
    return (path.parent_path() / ("." + path.filename().string() + ".autosave")).string();
}

std::optional<std::string> TAutosave::NewerCopy(const std::string& fileName) {
    const QFileInfo copy(QString::fromStdString(PathFor(fileName)));
    if (!copy.isFile()) return std::nullopt;
    if (!fileName.empty()) {
        const QFileInfo design(QString::fromStdString(fileName));
        if (design.exists() && design.lastModified() > copy.lastModified()) return std::nullopt;
    }
    try {
        return platform::ReadWholeFile(copy.filePath().toStdString(), TDesignLimits::kMaxFileBytes);
    } catch (const Exception&) {
        return std::nullopt;
    }
}

void TAutosave::Remove(const std::string& fileName) {
    std::error_code ignored;
    std::filesystem::remove(PathFor(fileName), ignored);
}

void TAutosave::DesignChanged() {
    if (!FDocument.IsDirty()) return;
    FDebounce.start();
    if (!FAtMost.isActive()) FAtMost.start();
}

void TAutosave::WriteNow() {
    FDebounce.stop();
    FAtMost.stop();
    if (!FDocument.IsDirty()) return;
    const std::string path = PathFor(FDocument.FileName());
    try {
        if (FDocument.FileName().empty()) QDir().mkpath(QFileInfo(QString::fromStdString(path)).path());
        platform::WriteFileAtomically(path, FDocument.DesignText());
        FWrittenFor = FDocument.FileName();
    } catch (const Exception& e) {
        emit Failed(QString::fromStdString(e.Message()));
    }
}

}  // namespace quill::studio
