// The photo export: reading a pixel text, encoding the JPEG, and the whole save with the
// file written.
#include "host/Dialogs.h"
#include "host/FileDialog.h"
#include "host/JpegEncoder.h"
#include "host/PhotoExport.h"
#include "host/PixelText.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A photo-like picture: smooth gradients with some detail, as a card's picture would be.
QString samplePixelText() {
    QString text;
    text.reserve(host::PixelText::kValues * 9);
    for (int x = 0; x < host::PixelText::kWidth; ++x) {
        for (int y = 0; y < host::PixelText::kHeight; ++y) {
            const unsigned r = unsigned(x * 255 / 239);
            const unsigned g = unsigned(y * 255 / 179);
            const unsigned b = unsigned((x * y + x * 13) & 255);
            text += u'-';
            text += QString::number((r << 16) | (g << 8) | b);
        }
    }
    return text;
}

// Always chooses the same file.
class FixedDialogs : public host::Dialogs {
public:
    explicit FixedDialogs(QString path) : m_path(std::move(path)) {}
    bool question(QWidget*, const QString&, const QString&) override { return false; }
    void message(QWidget*, const QString&) override {}
    std::optional<QString> openFile(QWidget*, const host::FileRequest&) override { return {}; }
    std::optional<QString> saveFile(QWidget*, const host::FileRequest&) override { return m_path; }
    void showModal(QDialog&) override {}
    void openUrl(const QUrl&) override {}

private:
    QString m_path;
};

void BM_ParsePixelText(benchmark::State& state) {
    const QString text = samplePixelText();
    for (auto _ : state)
        benchmark::DoNotOptimize(host::PixelText::parse(text));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(BM_ParsePixelText)->Unit(benchmark::kMicrosecond);

void BM_EncodeJpeg(benchmark::State& state) {
    const QImage picture = host::PixelText::parse(samplePixelText()).picture;
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray jpeg = host::encodeJpeg(picture, host::PhotoExport::kQuality);
        bytes = jpeg.size();
        benchmark::DoNotOptimize(jpeg.data());
    }
    state.counters["jpeg_bytes"] = double(bytes);
}
BENCHMARK(BM_EncodeJpeg)->Unit(benchmark::kMicrosecond);

void BM_WholeSave(benchmark::State& state) {
    const QString text = samplePixelText();
    QTemporaryDir dir;
    FixedDialogs dialogs(dir.filePath(QStringLiteral("photo.jpg")));
    host::FileDialog saveDialog(host::FileDialog::Mode::Save, QStringLiteral("JPG格式|*.JPG"), 0,
                                QStringLiteral("jpg"));
    for (auto _ : state)
        host::PhotoExport(dialogs, saveDialog, nullptr).run(text);
}
BENCHMARK(BM_WholeSave)->Unit(benchmark::kMicrosecond);

} // namespace
