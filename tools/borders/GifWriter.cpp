#include "GifWriter.h"

#include <unordered_map>

namespace borders {

namespace {

constexpr int kMinCodeSize = 8;
constexpr int kClearCode = 1 << kMinCodeSize;
constexpr int kEndCode = kClearCode + 1;
constexpr int kMaxCode = 4095;

// Packs codes least significant bit first into the 255-byte sub-blocks of a GIF image.
class CodeStream {
public:
    explicit CodeStream(QByteArray& out) : out_(out) {}
    void write(int code, int size) {
        bits_ |= static_cast<unsigned long>(code) << bitCount_;
        bitCount_ += size;
        while (bitCount_ >= 8) {
            pushByte(static_cast<char>(bits_ & 0xff));
            bits_ >>= 8;
            bitCount_ -= 8;
        }
    }
    void finish() {
        if (bitCount_ > 0)
            pushByte(static_cast<char>(bits_ & 0xff));
        bits_ = 0;
        bitCount_ = 0;
        flushBlock();
        out_.append('\0'); // block terminator
    }

private:
    void pushByte(char byte) {
        block_.append(byte);
        if (block_.size() == 255)
            flushBlock();
    }
    void flushBlock() {
        if (block_.isEmpty())
            return;
        out_.append(static_cast<char>(block_.size()));
        out_.append(block_);
        block_.clear();
    }

    QByteArray& out_;
    QByteArray block_;
    unsigned long bits_ = 0;
    int bitCount_ = 0;
};

void appendWord(QByteArray& out, int value) {
    out.append(static_cast<char>(value & 0xff));
    out.append(static_cast<char>((value >> 8) & 0xff));
}

void compress(const IndexedPicture& picture, QByteArray& out) {
    out.append(static_cast<char>(kMinCodeSize));
    CodeStream stream(out);
    std::unordered_map<int, int> table; // (prefix code << 8 | next index) -> code
    int codeSize = kMinCodeSize + 1;
    int lastCode = kEndCode;
    stream.write(kClearCode, codeSize);

    int prefix = picture.indices.front();
    for (size_t i = 1; i < picture.indices.size(); ++i) {
        const int next = picture.indices[i];
        const int key = (prefix << 8) | next;
        if (const auto found = table.find(key); found != table.end()) {
            prefix = found->second;
            continue;
        }
        stream.write(prefix, codeSize);
        table.emplace(key, ++lastCode);
        if (lastCode >= (1 << codeSize))
            ++codeSize;
        if (lastCode == kMaxCode) {
            stream.write(kClearCode, codeSize);
            table.clear();
            codeSize = kMinCodeSize + 1;
            lastCode = kEndCode;
        }
        prefix = next;
    }
    stream.write(prefix, codeSize);
    // A clear code first, so the end code is read at the width a fresh table has.
    stream.write(kClearCode, codeSize);
    stream.write(kEndCode, kMinCodeSize + 1);
    stream.finish();
}

} // namespace

QByteArray encodeGif(const IndexedPicture& picture) {
    QByteArray out("GIF89a");
    appendWord(out, picture.width);
    appendWord(out, picture.height);
    out.append(static_cast<char>(0xf7)); // global table of 2^(7+1) entries, 8-bit colour
    out.append('\0');                    // background colour index
    out.append('\0');                    // square pixels
    for (int i = 0; i < 256; ++i) {
        const QRgb colour = i < picture.palette.size() ? picture.palette[i] : qRgb(0, 0, 0);
        out.append(static_cast<char>(qRed(colour)));
        out.append(static_cast<char>(qGreen(colour)));
        out.append(static_cast<char>(qBlue(colour)));
    }
    out.append(',');
    appendWord(out, 0);
    appendWord(out, 0);
    appendWord(out, picture.width);
    appendWord(out, picture.height);
    out.append('\0'); // no local table, not interlaced
    compress(picture, out);
    out.append(';');
    return out;
}

} // namespace borders
