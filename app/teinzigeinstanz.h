#pragma once
// One window per data file. The program holds the data file's lock while it
// runs; a second start on the same file says so and offers to bring the
// first window to the front (it is asked through a local channel of Qt's,
// named after its process) or to end. Two windows on one file would silently
// undo each other's changes.

#include "platform/datafilelock.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class QLocalServer;
class QWidget;

namespace orvanta {

class TEinzigeInstanz : public QObject {
    Q_OBJECT
public:
    explicit TEinzigeInstanz(const QString& dataFile, QObject* parent = nullptr);
    ~TEinzigeInstanz() override;

    // Takes the lock. When another instance of the program holds it, the
    // user is asked; the result is false then and the program ends (after
    // the first window was asked to come to the front, when the user chose
    // so). Where no lock can be made (a folder without write access) the
    // program runs without one, as before.
    bool Sperren();

    // The window this instance brings to the front when a later start asks.
    void SetFenster(QWidget* fenster) { FFenster = fenster; }

    bool Gehalten() const { return FLock->Gehalten(); }
    QString DataFile() const { return FLock->DataFile(); }

    // The lock follows the window to another file in two steps, so that the
    // window never runs on a file without the lock it could have had.
    // Vorbereiten takes the new file's lock beside the current one; when
    // another window or the tool holds it, it throws with the German reason
    // and nothing changes. It gives nullptr for the file already held.
    // Uebernehmen then lets go of the old file; dropping the prepared lock
    // instead keeps everything as it was.
    std::unique_ptr<TDataFileLock> Vorbereiten(const QString& datei) const;
    void Uebernehmen(std::unique_ptr<TDataFileLock> neu);

    // The question of a second start; its buttons.
    static QString Meldungstext(const QString& dataFile, qint64 pid);
    // The name of the channel a program with that process id listens on.
    static QString KanalName(qint64 pid);
    static QString ZeigenText() { return QStringLiteral("Fenster &zeigen"); }
    static QString BeendenText() { return QStringLiteral("&Beenden"); }

private:
    void Zeigen();
    bool BittenZuZeigen(qint64 pid, const QString& programm) const;

    void Zuhoeren();

    std::unique_ptr<TDataFileLock> FLock;
    QPointer<QWidget> FFenster;
    QLocalServer* FKanal = nullptr;
};

} // namespace orvanta
