// The plainest Qt Widgets program that shows a drawing in a maximised window: the start-up baseline.
#include <QApplication>
#include <QLabel>
#include <QPixmap>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label;
    label.setWindowTitle(QStringLiteral("Pintavo baseline"));
    label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label.setPixmap(QPixmap(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString()));
    label.showMaximized();
    return app.exec();
}
