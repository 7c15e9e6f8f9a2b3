// The help viewer: shows the program's help pages, follows their links, and goes back and
// forward like a browser. Started by the main window's Help command with the first page.

#include <QApplication>
#include <QFileInfo>
#include <QMainWindow>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Mapwright Help");
    const QStringList args = QApplication::arguments();
    const QString page =
        args.size() > 1 ? args[1] : QApplication::applicationDirPath() + "/mwr.html";
    if (!QFileInfo(page).isReadable()) return 1;

    QMainWindow window;
    window.setWindowTitle("Mapwright Help");
    auto* browser = new QTextBrowser(&window);
    browser->setOpenExternalLinks(true);
    browser->setSource(QUrl::fromLocalFile(QFileInfo(page).absoluteFilePath()));
    QToolBar* bar = window.addToolBar("Navigation");
    bar->setMovable(false);
    QAction* back = bar->addAction("Back", browser, &QTextBrowser::backward);
    QAction* forward = bar->addAction("Forward", browser, &QTextBrowser::forward);
    QAction* home = bar->addAction("Contents", browser, &QTextBrowser::home);
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    home->setShortcut(Qt::ALT | Qt::Key_Home);
    back->setEnabled(false);
    forward->setEnabled(false);
    QObject::connect(browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QObject::connect(browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    QObject::connect(browser, &QTextBrowser::sourceChanged, &window, [&] {
        window.setWindowTitle(browser->documentTitle() + " - Mapwright Help");
    });
    window.setCentralWidget(browser);
    window.resize(820, 640);
    window.showMaximized();
    return app.exec();
}
