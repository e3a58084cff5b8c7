#pragma once
// Takes over the desktop's URL opening for "http", "https" and "file" while it lives, and records
// each URL instead of starting a browser or a file manager.
#include <QList>
#include <QObject>
#include <QUrl>

class DesktopCapture : public QObject {
    Q_OBJECT
  public:
    DesktopCapture();
    ~DesktopCapture() override;
    DesktopCapture(const DesktopCapture&) = delete;
    DesktopCapture& operator=(const DesktopCapture&) = delete;

    // Every URL handed to the desktop, oldest first.
    const QList<QUrl>& Urls() const { return urls_; }
    void Clear() { urls_.clear(); }

  public slots:
    // Called by QDesktopServices::openUrl.
    void open(const QUrl& url);

  private:
    QList<QUrl> urls_;
};
