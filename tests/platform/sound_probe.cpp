// Plays and speaks through the program's real player, for the sound tests that listen on a
// sound server of their own.
//   sound_probe <wav file or -> <text or -> <voice> [quit after ms]
// It chooses the voice, waits until speech is known to be there (at most two seconds), plays the
// file, speaks the text, and quits after the given time (default: when both had time to end).
// It prints "speech available" or "no speech", and how long it took to end once asked to.
#include "platform/Sound.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 4)
        return 2;
    const QString wav = QString::fromLocal8Bit(argv[1]), text = QString::fromLocal8Bit(argv[2]);
    const int quitAfter = argc > 4 ? atoi(argv[4]) : 4000;
    platform::setSpeechVoices({QString::fromLocal8Bit(argv[3])});
    QElapsedTimer waited;
    waited.start();
    while (!platform::speechAvailable() && waited.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    std::printf("%s\n", platform::speechAvailable() ? "speech available" : "no speech");
    if (wav != QLatin1String("-"))
        platform::playSoundAsync(wav);
    if (text != QLatin1String("-"))
        platform::speakAsync(text);
    QTimer::singleShot(quitAfter, &app, &QCoreApplication::quit);
    app.exec();
    QElapsedTimer ending;
    ending.start();
    const bool stopped = platform::stopPlayer(500);
    std::printf("ended in %lld ms%s\n", ending.elapsed(), stopped ? "" : " (player left waiting on the server)");
    std::fflush(stdout);
    return 0;
}
