#include "tests/support/desktop_capture.h"

#include <QDesktopServices>

namespace {
const char* const kSchemes[] = {"http", "https", "file"};
}

DesktopCapture::DesktopCapture() {
    for (const char* scheme : kSchemes)
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
}

DesktopCapture::~DesktopCapture() {
    for (const char* scheme : kSchemes)
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}

void DesktopCapture::open(const QUrl& url) {
    urls_.append(url);
}
