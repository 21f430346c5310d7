// What a text costs: GetString on a small language file (profile reader) and on one over
// 64000 bytes (line scan, the key near the start or at the very end), and TranslateForm on
// a window of 60 controls, and the words of the blocks of one turn. Nothing is cached, so every
// lookup opens and reads the file, unless a reading is held.

#include "language/modLanguageSupport.h"
#include "platform/Application.h"
#include "platform/CheckBox.h"
#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/MessageBox.h"
#include "platform/Sound.h"
#include "shell/BlockRules.h"
#include "shell/Modulo1.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>

namespace {

std::unique_ptr<QTemporaryDir> scratch;

// Window sections full of control texts, and a Strings section either first or last.
// Returns the file's size.
qint64 writeLanguage(const QString &name, qint64 targetBytes, bool stringsFirst)
{
    QByteArray strings = "[Strings]\r\n";
    for (int id = 1; id <= 64; ++id)
        strings += QByteArray::number(id).rightJustified(4, '0') + "=\"testo numero " +
                   QByteArray::number(id) + " per i bambini\"\r\n";

    QByteArray windows;
    int window = 0;
    while (windows.size() + strings.size() < targetBytes - 200) {
        windows += "[form" + QByteArray::number(window) + "]\r\n";
        for (int c = 0; c < 40 && windows.size() + strings.size() < targetBytes - 200; ++c)
            windows += "Label" + QByteArray::number(c) + ".Caption=\"una scritta di prova, numero " +
                       QByteArray::number(c) + "\"\r\n";
        ++window;
    }
    // The wanted key: first line of the file, or last.
    const QByteArray wanted = "9999=\"la chiave cercata\"\r\n";
    const QByteArray content =
        stringsFirst ? strings.insert(11, wanted) + windows : windows + strings + wanted;
    QFile f(scratch->path() + u'/' + name + QStringLiteral(".lng"));
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(content);
    return content.size();
}

void BM_GetString(benchmark::State &state)
{
    const qint64 target = state.range(0) * 1024;
    const bool nearStart = state.range(1) != 0;
    const QString name = QStringLiteral("Size%1%2").arg(target).arg(nearStart ? "start" : "end");
    const qint64 size = writeLanguage(name, target, nearStart);
    modLanguageSupport::CurrentLanguageName = name;
    const QString id = QStringLiteral("9999");
    if (modLanguageSupport::GetString(id) != QStringLiteral("la chiave cercata")) {
        state.SkipWithError("the wanted key was not found");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(modLanguageSupport::GetString(id));
    state.SetBytesProcessed(state.iterations() * size);
    state.SetLabel(QStringLiteral("%1 bytes, %2, %3")
                       .arg(size)
                       .arg(size > modLanguageSupport::kProfileReaderLimit ? "line scan" : "profile reader")
                       .arg(nearStart ? "key near the start" : "key at the end")
                       .toStdString());
}
BENCHMARK(BM_GetString)
    ->ArgNames({"KB", "nearStart"})
    ->Args({10, 1})
    ->Args({10, 0})
    ->Args({100, 1})
    ->Args({100, 0})
    ->Unit(benchmark::kMicrosecond);

// Sixty controls: labels, buttons, check boxes, pictures and an array of labels.
class BenchWindow : public platform::Form
{
public:
    BenchWindow() : Form(QStringLiteral("frmBench")) {}

protected:
    void createControls() override
    {
        for (int i = 0; i < 20; ++i)
            addLabel(QStringLiteral("Label%1").arg(i), 300, 300 + 200 * i, 2000, 200,
                     QStringLiteral("etichetta"));
        for (int i = 0; i < 10; ++i)
            addButton(QStringLiteral("Command%1").arg(i), 2500, 300 + 400 * i, 1500, 350,
                      QStringLiteral("bottone"));
        for (int i = 0; i < 2; ++i)
            addCheckBox(QStringLiteral("Check%1").arg(i), 4500, 300 + 400 * i, 1500, 300,
                        QStringLiteral("scelta"));
        for (int i = 0; i < 16; ++i)
            addImage(QStringLiteral("Image%1").arg(i), 6000 + 700 * (i % 4), 300 + 700 * (i / 4), 600, 600);
        for (int i = 0; i < 12; ++i)
            addLabel(QStringLiteral("NUMERI"), 300 + 600 * i, 5000, 500, 400, QString::number(i), nullptr, i);
    }
};

QByteArray benchWindowSection()
{
    QByteArray s = "[frmBench]\r\nfrmBench.Tag=\"\"\r\n";
    for (int i = 0; i < 20; ++i)
        s += "Label" + QByteArray::number(i) + ".Caption=\"label " + QByteArray::number(i) + "\"\r\n";
    for (int i = 0; i < 10; ++i)
        s += "Command" + QByteArray::number(i) + ".Caption=\"button " + QByteArray::number(i) +
             "\"\r\nCommand" + QByteArray::number(i) + ".ToolTipText=\"press me\"\r\n";
    for (int i = 0; i < 2; ++i)
        s += "Check" + QByteArray::number(i) + ".Caption=\"choice\"\r\n";
    for (int i = 0; i < 16; ++i)
        s += "Image" + QByteArray::number(i) + ".ToolTipText=\"a block\"\r\n";
    for (int i = 0; i < 12; ++i)
        s += "NUMERI(" + QByteArray::number(i) + ").Caption=\"" + QByteArray::number(i) + "\"\r\n";
    return s;
}

void BM_TranslateForm(benchmark::State &state)
{
    const bool big = state.range(0) != 0;
    QByteArray content = benchWindowSection() + "[Strings]\r\n0001=\"Vuoi uscire?\"\r\n";
    if (big) {
        // Past the profile reader's limit: every key is a scan from the top of the file.
        while (content.size() <= 100 * 1024)
            content += "; riga di commento per arrivare oltre il limite dei 64000 byte del lettore\r\n";
    }
    const QString name = big ? QStringLiteral("WindowBig") : QStringLiteral("Window");
    QFile f(scratch->path() + u'/' + name + QStringLiteral(".lng"));
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(content);
    f.close();
    modLanguageSupport::CurrentLanguageName = name;

    BenchWindow window;
    window.Load();
    if (window.controls().size() != 60) {
        state.SkipWithError("the window should have 60 controls");
        return;
    }
    modLanguageSupport::TranslateForm(window);
    if (static_cast<platform::Label *>(window.control(QStringLiteral("NUMERI"), 11))->caption() !=
            QStringLiteral("11") ||
        static_cast<platform::Label *>(window.control(QStringLiteral("Label19")))->caption() !=
            QStringLiteral("label 19")) {
        state.SkipWithError("the window was not translated");
        return;
    }
    for (auto _ : state)
        modLanguageSupport::TranslateForm(window);
    state.SetLabel(QStringLiteral("%1 bytes, %2")
                       .arg(content.size())
                       .arg(big ? "line scan" : "profile reader")
                       .toStdString());
    window.Unload();
}
BENCHMARK(BM_TranslateForm)->ArgName("bigFile")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The words of the twelve blocks of a turn of "trova il blocco" (each picture's name) and of the
// one described, from a shipped language file: Italiano has no section Words, so every word falls
// back to its identifier's; English gives them all. The turn reads the file once for all of
// them (as the windows that show many blocks do), or once per block.
void BM_WordsOfATurn(benchmark::State &state)
{
    const QString language = state.range(0) ? QStringLiteral("English") : QStringLiteral("Italiano");
    const bool oneReading = state.range(1) != 0;
    QFile::remove(scratch->path() + u'/' + language + QStringLiteral(".lng"));
    if (!QFile::copy(QStringLiteral(ZORVELLI_SOURCE_DIR "/assets/lang/") + language + QStringLiteral(".lng"),
                     scratch->path() + u'/' + language + QStringLiteral(".lng"))) {
        state.SkipWithError("no language file");
        return;
    }
    modLanguageSupport::CurrentLanguageName = language;
    QList<BlockAttributes> blocks;
    for (int i = 0; i < 12; ++i)
        blocks.append({BlockRules::kColourWords[i % 3], BlockRules::kShapeWords[i % 4], i % 2 ? BlockRules::kBig : BlockRules::kSmall,
                       i % 5 ? BlockRules::kThick : BlockRules::kThin, {}});
    if (Modulo1::describe(blocks[0]) == Modulo1::describe(blocks[0]).toUpper()) {
        state.SkipWithError("no words");
        return;
    }
    for (auto _ : state) {
        std::optional<modLanguageSupport::OneReading> turn;
        if (oneReading)
            turn.emplace();
        for (const BlockAttributes &b : std::as_const(blocks))
            benchmark::DoNotOptimize(Modulo1::describe(b));
        benchmark::DoNotOptimize(Modulo1::describe(blocks[5]).toUpper());
    }
    state.SetLabel(language.toStdString() + (oneReading ? ", one reading" : ", a reading per block"));
}
BENCHMARK(BM_WordsOfATurn)
    ->ArgNames({"english", "oneReading"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::setMessageAnswerer([](const platform::MessageRequest &) { return platform::MsgResult::Ok; });
    platform::setSoundSink([](const QString &) {});
    scratch = std::make_unique<QTemporaryDir>();
    if (!scratch->isValid())
        return 1;
    platform::ApplicationPath = scratch->path();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    scratch.reset();
    return 0;
}
