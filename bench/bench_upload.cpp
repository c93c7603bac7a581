// The upload's compression: every piece of a photo's pixel text, against a dictionary keyed
// by strings, and the frames the upload clip runs while it compresses.
#include "movie/output/Lwz.h"
#include "movie/output/PixelText.h"
#include "movie/output/Upload.h"
#include "movie/output/UploadPieces.h"
#include "player/Clip.h"
#include "player/Stage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QRandomGenerator>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <map>
#include <string>

namespace {

// A real photograph, cut to the photo size; noise when it cannot be read.
QImage realPhoto() {
    QImage image(QStringLiteral(IVEMBA_SOURCE_DIR "/resources/about/about.jpg"));
    if (image.isNull()) {
        image = QImage(240, 180, QImage::Format_RGB32);
        QRandomGenerator random(7);
        for (int y = 0; y < 180; ++y)
            for (int x = 0; x < 240; ++x)
                image.setPixel(x, y, 0xFF000000u | random.bounded(0x1000000u));
        return image;
    }
    return image.scaled(240, 180, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation)
        .copy(0, 0, 240, 180)
        .convertToFormat(QImage::Format_RGB32);
}

QImage noisePhoto() {
    QImage image(240, 180, QImage::Format_RGB32);
    QRandomGenerator random(42);
    for (int y = 0; y < 180; ++y)
        for (int x = 0; x < 240; ++x)
            image.setPixel(x, y, 0xFF000000u | random.bounded(0x1000000u));
    return image;
}

// The plain way, for comparison: the dictionary as a map from phrase text to code.
std::u16string mapKeyedCompress(QStringView text) {
    std::map<std::string, int> dictionary;
    for (int c = 0; c < 256; ++c)
        dictionary[std::string(1, static_cast<char>(c))] = c;
    int next = 256;
    std::u16string out;
    std::string phrase;
    for (QChar ch : text) {
        const char c = static_cast<char>(ch.unicode());
        std::string longer = phrase + c;
        if (dictionary.count(longer)) {
            phrase = std::move(longer);
            continue;
        }
        out.push_back(static_cast<char16_t>(dictionary[phrase]));
        dictionary[std::move(longer)] = next++;
        phrase.assign(1, c);
    }
    if (!phrase.empty())
        out.push_back(static_cast<char16_t>(dictionary[phrase]));
    return out;
}

template <typename Compress>
void compressAllPieces(benchmark::State& state, const QImage& photo, Compress compress) {
    const QString text = output::pixelText(photo);
    const int count = output::uploadPieceCount(text.size());
    int maxCode = 0;
    qsizetype outSize = 0;
    for (auto _ : state) {
        outSize = 0;
        for (int k = 1; k <= count; ++k) {
            const auto codes = compress(output::uploadPiece(text, k, count));
            outSize += static_cast<qsizetype>(codes.size());
            for (auto c : codes)
                maxCode = std::max(maxCode, static_cast<int>(c));
            benchmark::DoNotOptimize(codes);
        }
    }
    state.counters["pieces"] = count;
    state.counters["chars_in"] = static_cast<double>(text.size());
    state.counters["codes_out"] = static_cast<double>(outSize);
    state.counters["max_code"] = maxCode;
}

void BM_UploadCompressAllPieces(benchmark::State& state) {
    compressAllPieces(state, realPhoto(), [](QStringView piece) {
        const common::Result<QString> codes = output::lwzCompress(piece);
        return codes ? codes.value().toStdU16String() : std::u16string();
    });
}
BENCHMARK(BM_UploadCompressAllPieces)->Unit(benchmark::kMillisecond);

void BM_UploadCompressAllPiecesMapKeyed(benchmark::State& state) {
    compressAllPieces(state, realPhoto(), mapKeyedCompress);
}
BENCHMARK(BM_UploadCompressAllPiecesMapKeyed)->Unit(benchmark::kMillisecond);

void BM_UploadCompressAllPiecesNoise(benchmark::State& state) {
    compressAllPieces(state, noisePhoto(), [](QStringView piece) {
        const common::Result<QString> codes = output::lwzCompress(piece);
        return codes ? codes.value().toStdU16String() : std::u16string();
    });
}
BENCHMARK(BM_UploadCompressAllPiecesNoise)->Unit(benchmark::kMillisecond);

// The upload clip's frames, one piece each, ticked by hand: the longest frame is what the
// movie's 16 frames per second must absorb.
void BM_UploadLongestFrame(benchmark::State& state) {
    player::Stage stage;
    player::Clip* root = stage.root();
    root->setVar(QStringLiteral("UploadTarget"), QStringLiteral("http://127.0.0.1:9/upload2.aspx"));
    root->createEmptyMovieClip(QStringLiteral("Upload_Status_mc"), 132)->hide();
    output::defineLwz(*root->createEmptyMovieClip(QStringLiteral("Lwz"), 120));
    player::Clip* upload = root->createEmptyMovieClip(QStringLiteral("Upload_mc"), 123);
    output::defineUpload(*upload);
    const QString text = output::pixelText(noisePhoto());
    double longest = 0;
    int frames = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // The previous round's request may still be on its way; the clip refuses until then.
        while (upload->call(QStringLiteral("isUploading")).toBool())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        state.ResumeTiming();
        upload->call(QStringLiteral("UploadString"), {text});
        frames = 0;
        while (upload->var(QStringLiteral("sendOk")).toBool()) {
            QElapsedTimer frame;
            frame.start();
            stage.clock().tick();
            longest = std::max(longest, frame.nsecsElapsed() / 1e6);
            ++frames;
        }
    }
    state.counters["frames"] = frames;
    state.counters["longest_frame_ms"] = longest;
}
BENCHMARK(BM_UploadLongestFrame)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace
