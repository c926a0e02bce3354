#pragma once
// The assessment in progress, kept on disk while the program runs, so that a run that ends
// without saving (killed, logged out, crashed) loses at most its last step. Each run keeps its
// own recovery file in a folder of the user's (never the save folder), rewritten whole through
// the safe-write at every change and held by a lock that the system releases when the run ends,
// however it ends. At the next start, a recovery whose run has ended is offered again.
//
// The file is UTF-8, so the details keep every character: a first line naming the format, the
// employee details as confirmed ("Employee Name:", tab, the text), then the captions of the
// chosen drawings, one a line.

#include "Assessment.h"

#include <QDateTime>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QLockFile;

class Recovery
{
public:
    // A recovery left by a run that has ended.
    struct Left
    {
        QString path;
        Assessment assessment;
        QDateTime lastChanged;
    };

    // Keeps this run's recovery in `folder`, made when first needed.
    explicit Recovery(QString folder);
    ~Recovery();
    Recovery(const Recovery&) = delete;
    Recovery& operator=(const Recovery&) = delete;

    // The recoveries in the folder whose runs have ended, newest first. Each is locked for this
    // run until it is taken over or thrown away.
    std::vector<Left> leftByEndedRuns();
    // Carries on in the recovery at `path` (one of leftByEndedRuns()).
    void takeOver(const QString& path);
    // Throws away the recovery at `path` (one of leftByEndedRuns()).
    void throwAway(const QString& path);

    // Writes the assessment as this run's recovery. Returns false when it could not be written;
    // the run goes on all the same.
    bool keep(const Assessment& assessment);
    // Removes this run's recovery: the assessment was saved, or the person chose to lose it.
    void discard();

    // The file's text for an assessment, and the assessment of a file's text (none when the
    // text is not a recovery).
    static QByteArray text(const Assessment& assessment);
    static std::optional<Assessment> parse(const QByteArray& text);

private:
    QString m_folder;
    QString m_path; // this run's recovery, empty until first kept
    std::unique_ptr<QLockFile> m_lock;
    std::vector<std::pair<QString, std::unique_ptr<QLockFile>>> m_locked; // left, not yet decided
};
