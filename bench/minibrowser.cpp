// The yardstick for the client's start-up: a window holding nothing but a web
// view that loads the address it is given.

#include <QApplication>
#include <QUrl>
#include <QWebEngineView>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_minibrowser URL\n");
        return 2;
    }
    QWebEngineView view;
    view.setWindowTitle(QStringLiteral("minibrowser"));
    view.resize(1223, 774);
    view.load(QUrl(QString::fromLocal8Bit(argv[1])));
    view.show();
    return app.exec();
}
