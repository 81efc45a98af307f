// Process environment for the web engine and the Italian translation of Qt's own texts.
#include "app/Environment.h"

#include "platform/system/UserEnvironment.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QQuickWindow>
#include <QTranslator>

#include <unistd.h>

namespace Environment {

QByteArray webEngineFlags(bool sandboxOff)
{
    // The pane shows small pages: one renderer process is plenty, and drawing
    // them in software spares the engine its own OpenGL context and the memory
    // that comes with it (a software one, besides, on most children's machines
    // and under a virtual display).
    QByteArray flags = "--renderer-process-limit=1 --disable-gpu";
    // Without the sandbox the zygote processes, kept to start sandboxed
    // renderers, serve nothing: renderers are started directly.
    if (sandboxOff)
        flags += " --no-zygote";
    return flags;
}

void prepare()
{
    // What follows is for this process alone: other programs started from it get
    // the environment as it is now.
    UserEnvironment::remember();
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // Flags the user gives are taken as they stand.
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
                webEngineFlags(qEnvironmentVariableIntValue("QTWEBENGINE_DISABLE_SANDBOX") != 0));
    // Nothing of the program draws through OpenGL (see below): without it, X11
    // windows skip loading the OpenGL libraries, a software renderer among
    // them, and the web engine needs no OpenGL context shared with Qt.
    if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    else
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The pane's pages reach the window as pictures drawn in software (see
    // webEngineFlags), and Qt Quick, which shows them, draws in software too:
    // the main window never becomes an OpenGL one, so it opens as fast as any
    // plain window. The pane is made after the window is shown, and an OpenGL
    // pane would make Qt recreate the window, which then loses its maximised
    // state: so this holds whatever QT_QUICK_BACKEND says.
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

void installItalian(QCoreApplication &app)
{
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(italian);
    auto *translator = new QTranslator(&app);
    if (translator->load(italian, QStringLiteral("qt"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace Environment
