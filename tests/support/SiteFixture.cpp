#include "SiteFixture.h"

#include "PostgresServer.h"
#include "RawConnection.h"
#include "site/FormFields.h"
#include "site/SiteContext.h"

#include <QImage>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace sitetest {

TemporaryFolder::TemporaryFolder() {
    std::string pattern = (fs::temp_directory_path() / "ivemba-site-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    m_path = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code error;
    fs::remove_all(m_path, error);
}

std::string backendName(const testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::Folder ? "Folder" : "Postgres";
}

site::SiteOptions optionsFor(Backend backend, const fs::path& folder, site::SiteOptions options) {
    options.data = folder / "data";
    if (backend == Backend::Postgres)
        options.database = testsupport::PostgresServer::shared().freshDatabase();
    return options;
}

RunningSite::RunningSite(site::SiteOptions options) : RunningSite(Backend::Folder, options) {}

site::SiteStore& RunningSite::store() {
    return *context().store;
}

RunningSite::RunningSite(Backend backend, site::SiteOptions options) {
    options = optionsFor(backend, m_folder.path(), options);
    options.host = "127.0.0.1";
    options.port = 0;
    options.log = false;
    m_server = std::make_unique<site::SiteServer>(options);
    m_server->start();
}

std::string RunningSite::base() const {
    return "http://127.0.0.1:" + std::to_string(port());
}

httplib::Client RunningSite::client() const {
    httplib::Client client("127.0.0.1", port());
    client.set_read_timeout(20, 0);
    return client;
}

SiteProcess::SiteProcess(const fs::path& executable, const site::SiteOptions& options) {
    std::vector<std::string> args = {executable.string(),   "--listen", "127.0.0.1:0", "--data",
                                     options.data.string(), "--quiet"};
    if (!options.database.empty())
        args.insert(args.end(), {"--database", options.database});
    int out[2];
    if (::pipe(out) != 0)
        throw std::runtime_error("pipe");
    m_pid = ::fork();
    if (m_pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        ::dup2(out[1], 1);
        ::close(out[0]);
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    std::FILE* lines = ::fdopen(out[0], "r");
    char line[512] = {};
    if (std::fgets(line, sizeof line, lines))
        std::sscanf(line, "ivemba-site: listening on http://127.0.0.1:%d/", &m_port);
    std::fclose(lines);
}

SiteProcess::~SiteProcess() {
    kill();
}

void SiteProcess::kill() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
}

site::Picture testPicture(int seed) {
    site::Picture picture;
    picture.rgb.resize(site::Picture::kValues * 3);
    for (int y = 0; y < site::Picture::kHeight; ++y)
        for (int x = 0; x < site::Picture::kWidth; ++x) {
            std::uint8_t* p = &picture.rgb[(y * site::Picture::kWidth + x) * 3];
            const double phase = seed * 0.7;
            p[0] = static_cast<std::uint8_t>(128 + 100 * std::sin(x / 40.0 + phase));
            p[1] = static_cast<std::uint8_t>(128 + 100 * std::cos(y / 30.0 + phase));
            p[2] = static_cast<std::uint8_t>((x + y + seed * 37) % 256 / 2 + 64);
        }
    return picture;
}

std::string utf8(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::string uploadBody(const site::Picture& picture, const std::string& title,
                       const std::string& author) {
    const std::u16string text =
        site::PixelUpload::compressedText(site::PixelUpload::pixelText(picture));
    return site::FormFields::encode({{"actionname", "sendpic"},
                                     {"text", utf8(text)},
                                     {"title", title},
                                     {"author", author},
                                     {"phototype", "1"}});
}

std::string uploadBodyWithText(const std::u16string& codes) {
    return site::FormFields::encode({{"actionname", "sendpic"},
                                     {"text", utf8(codes)},
                                     {"title", "t"},
                                     {"author", "a"},
                                     {"phototype", "2"}});
}

std::string answerField(const std::string& answer, const std::string& name) {
    std::string trimmed = answer;
    while (!trimmed.empty() && (trimmed.back() == '\n' || trimmed.back() == '\r'))
        trimmed.pop_back();
    auto fields = site::FormFields::parse(trimmed);
    return fields ? fields->value(name) : std::string();
}

std::vector<std::string> filesBelow(const fs::path& folder) {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error))
        if (entry.is_regular_file())
            files.push_back(fs::relative(entry.path(), folder).string());
    std::sort(files.begin(), files.end());
    return files;
}

double psnr(const std::string& jpeg, const site::Picture& picture) {
    QImage image;
    if (!image.loadFromData(reinterpret_cast<const uchar*>(jpeg.data()),
                            static_cast<int>(jpeg.size()), "JPEG") ||
        image.width() != site::Picture::kWidth || image.height() != site::Picture::kHeight)
        return -1;
    double squared = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb got = image.pixel(x, y);
            const std::uint32_t want = picture.pixel(x, y);
            const int d[3] = {qRed(got) - int(want >> 16), qGreen(got) - int((want >> 8) & 255),
                              qBlue(got) - int(want & 255)};
            for (int k : d)
                squared += k * k;
        }
    const double mse = squared / (site::Picture::kValues * 3.0);
    return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

std::string rawExchange(int port, const std::string& bytes, int timeoutMs) {
    testsupport::RawConnection connection(port);
    connection.send(bytes);
    return connection.readAnswer(std::chrono::milliseconds(timeoutMs));
}

const std::string kSmuggledReport =
    "POST /UseRecord.aspx HTTP/1.1\r\nHost: x\r\n"
    "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 9\r\n\r\npname=bad";

} // namespace sitetest
