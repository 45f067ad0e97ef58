#pragma once
// Takes the place of the desktop for the URLs the program opens while it
// lives (QDesktopServices::setUrlHandler for the schemes a link may have), so
// that a test launches nothing and sees what would have been opened.

#include <QList>
#include <QObject>
#include <QUrl>

namespace orvanta::testing {

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder();
    ~UrlRecorder() override;
    UrlRecorder(const UrlRecorder&) = delete;
    UrlRecorder& operator=(const UrlRecorder&) = delete;

    // In the order they were opened.
    QList<QUrl> Opened;

public slots:
    void open(const QUrl& url) { Opened << url; }
};

} // namespace orvanta::testing
