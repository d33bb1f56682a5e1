#pragma once

#include "core/Language.h"

#include <QObject>
#include <QString>

namespace Fasoria {

enum class PictureFormat;
class Experiment;
class Prompts;
class StudySession;
struct AlgorithmParameters;
struct Circuit;

/// Everything that reads or writes a file for the window, and the one guard that keeps unsaved work from
/// being replaced without asking: circuits, learning sessions, teachers' challenges, OpenQASM, pictures of the
/// drawing, results and the worksheet. Each command that would replace unsaved work asks the
/// save-before-continue question first; the path-taking operations do not (their callers ask). A file is
/// read and checked completely before anything changes; a refusal is reported and changes nothing.
class FileCommands : public QObject
{
    Q_OBJECT

public:
    FileCommands(Experiment &experiment, StudySession &session, const Prompts &prompts, QObject *parent = nullptr);

    void setLanguage(Language language) { m_language = language; }

    /// The save-before-continue guard: true when nothing unsaved would be lost or the user chose to save
    /// (successfully) or to discard.
    bool confirmDiscard();

    /// Lesson `index` (catalog or pack, see lessonAt) from scratch, whichever lesson is shown: after the
    /// save-before-continue question, a fresh learning session, empty histories, no working circuit, the lesson
    /// prepared at step 0. False when the index is outside the catalog or the student kept the work.
    bool startLessonAfresh(int index);
    /// Makes a copy of `circuit` the working circuit at step 0 with a fresh session (the common path of opening
    /// a file and importing; callers ask confirmDiscard first). A circuit the editor refuses changes nothing:
    /// the "Invalid edit" warning is shown and false returned.
    bool replaceWorkingCircuit(const Circuit &circuit, const QString &path = QString());
    /// Generates the circuit `parameters` describe and makes it the working circuit, after the
    /// save-before-continue question; a parameter set the generator refuses is reported and changes nothing.
    bool createAlgorithmCircuit(const AlgorithmParameters &parameters);

    /// Discards the working circuit, after the save-before-continue question, and shows the lesson again.
    void restoreOriginal();
    /// A fresh empty two-qubit circuit that counts as unsaved.
    void newCircuit();
    /// Asks for a circuit file and opens it (openCircuitFile).
    void openCircuit();
    /// Reads `path` as the working circuit. Any failure shows the "Open error" warning, returns false and
    /// leaves the working circuit, its path and its saved bytes as they were.
    bool openCircuitFile(const QString &path);
    /// Saves the working circuit to its file, asking for a name when asNew or when it has none yet. False
    /// without a working circuit, when no name is chosen, or when writing fails (after the "Save error"
    /// warning).
    bool saveCircuit(bool asNew);
    /// Saves the working circuit under `name`, with ".fsor.json" appended unless it ends in ".json" (any
    /// letter case), asking before replacing a file of the completed name. A failure shows the "Save error"
    /// warning and leaves the old file, the path and the modified mark as they were.
    bool saveCircuitAs(const QString &name);

    /// Asks before discarding unsaved work, then for a challenge file to answer.
    void openChallenge();
    /// Reads `path` as a teacher's challenge and starts answering it: an empty circuit of its qubit count in
    /// challenge mode, the lesson staying selected.
    bool openChallengeFile(const QString &path);

    /// Saves the session to `path`, else to its known file, else to a file the user chooses (with
    /// ".session.json" appended unless the name ends in ".json"). False, changing nothing, when no name is
    /// chosen, a text is over the limit or writing fails (after a warning).
    bool saveLearningSession(const QString &path);
    /// Asks before discarding unsaved work, then for a session file to open.
    void openLearningSession();
    /// Opens `path` as the session; a refused file is reported and changes nothing.
    bool openLearningSessionFile(const QString &path);
    /// Writes the worksheet to `path`, or to a file the user chooses (".html" appended unless present).
    bool exportWorksheet(const QString &path);

    /// Opens a file named on the command line (what a desktop's "open with" passes): a learning session when
    /// its name ends in ".session.json", a teacher's challenge for ".challenge.json", else a circuit, through
    /// the same checks as the File menu. A relative name is taken from the current directory, so later saves
    /// go back to the same file.
    bool openGivenFile(const QString &path);

    /// Asks before discarding unsaved work, then for an OpenQASM 2.0 file to import.
    void importQasm();
    /// Reads `path` as OpenQASM 2.0 and makes it the working circuit (unsaved); skipped statements are shown
    /// first, with the choice to stop.
    bool importQasmFile(const QString &path);
    /// Asks for a file and writes the shown circuit as OpenQASM 2.0 (".qasm" appended when missing).
    void exportQasm();
    bool exportQasmTo(const QString &path);
    /// Asks for a file and writes the drawing at the current stage as SVG, PNG (twice the drawing's size) or
    /// a LaTeX quantikz figure, by the name's ending or the chosen filter.
    void exportCircuitPicture();
    bool exportCircuitPictureTo(const QString &path, PictureFormat format);
    /// Asks for a file and writes the probability chart of the current stage as SVG or PNG, with all states or
    /// only those with a probability or a count.
    void exportChartPicture(bool nonZeroOnly);
    bool exportChartPictureTo(const QString &path, PictureFormat format, bool nonZeroOnly);
    /// Asks for a file name and writes the results document of the current stage.
    void exportResults();

signals:
    /// A file was written: `text` says where, for the status line.
    void statusMessage(const QString &text);
    /// The working circuit's file or its unsaved mark changed without a change of the experiment.
    void documentChanged();
    /// A session file was put in place; the learning lab shows it.
    void sessionOpened();

private:
    bool writeCircuitFile(const QString &path);
    void warnInvalidEdit(const QString &editorError);
    /// A working circuit that exists in no file yet.
    void markNeverSaved();
    /// Asks for a picture file: the chosen name completed with its format's ending, after the replace question;
    /// empty when nothing was chosen or the user would not replace. *format receives the format.
    QString askPictureName(const QString &title, const char *proposed, const QString &filter, PictureFormat *format);

    Experiment &m_experiment;
    StudySession &m_session;
    const Prompts &m_prompts;
    Language m_language = Italian;
};

} // namespace Fasoria
