#pragma once

#include "core/Circuit.h"
#include "education/history/EditHistory.h"

#include <QByteArray>
#include <QString>

namespace Fasoria {

/// The learning session's marks: where it was saved or opened, the bytes it then had, whether the student
/// changed the learning lab since the session started, and whether the session now differs from those bytes.
struct SessionMarks
{
    QString path;
    QByteArray baseline;
    bool touched = false;
    bool dirty = false;
};

/// Where the working circuit is stored and whether it changed since: the file path, the circuit-file bytes
/// of the last save, open or copy, and the unsaved-changes mark derived from them. Undo and sessions extend
/// this bookkeeping; the window only reads it for the title and the save-before-continue question.
class CircuitDocument
{
public:
    /// Empty when the working circuit was never saved or opened.
    const QString &path() const { return m_path; }
    /// The bytes the mark is computed against; empty for a circuit that exists nowhere yet.
    const QByteArray &savedSnapshot() const { return m_savedSnapshot; }
    bool isModified() const { return m_modified; }

    /// The working circuit now equals `bytes`, stored at `path` (empty: not in a file): it is clean.
    void markSaved(const QString &path, const QByteArray &bytes);
    /// The working circuit as it stands counts as saved where it is (a session or a run that holds it was
    /// kept); nothing for none.
    void keepAsSaved(const Circuit *working);
    /// The working circuit exists nowhere yet: no path, no bytes, and it counts as modified.
    void markNeverSaved();
    /// No working circuit: nothing to save, nothing modified.
    void clear();
    /// The mark after a change of the working circuit (null for none): clean exactly when its circuit-file
    /// bytes equal the saved ones, so undoing back to the saved circuit makes it clean again.
    void recompute(const Circuit *working);

    /// The undo and redo lists of the edits to the working circuit; emptied whenever the experiment moves to
    /// a different circuit, kept by saves.
    EditHistory &history() { return m_history; }
    const EditHistory &history() const { return m_history; }

    /// The learning session saved beside the circuit.
    SessionMarks &session() { return m_session; }
    const SessionMarks &session() const { return m_session; }
    /// Work would be lost: the circuit or the session has unsaved changes.
    bool hasUnsavedWork() const { return m_modified || m_session.dirty; }

private:
    SessionMarks m_session;
    EditHistory m_history;
    QString m_path;
    QByteArray m_savedSnapshot;
    bool m_modified = false;
};

} // namespace Fasoria
