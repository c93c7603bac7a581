#include "site/SiteContext.h"
#include "site/UploadName.h"

#include <cstdio>
#include <httplib.h>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

namespace site {

namespace {

constexpr std::size_t kLargestFile = 1024 * 1024;

// The part of the body still unread would be taken for the next request.
void refuseAndClose(httplib::Response& response, int status, const std::string& text) {
    sendText(response, status, text);
    response.set_header("Connection", "close");
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Streams the first part that carries a file name (whatever its field is called: a web
// page's upload calls it "Filedata") into a temporary file beside its target.
void receive(SiteContext& context, const httplib::Request& request, httplib::Response& response,
             const httplib::ContentReader& reader) {
    const std::string name = request.get_param_value("filename");
    if (!isUploadName(name))
        return refuseAndClose(response, 400, "status=error&reason=bad%20filename");
    if (!request.is_multipart_form_data())
        return refuseAndClose(response, 400, "status=error&reason=not%20a%20file%20upload");

    const fs::path target = context.data.uploads() / name;
    const fs::path temporary = DataFolder::besideTemporary(target);
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(temporary.c_str(), "wbx"));
    if (!file)
        return refuseAndClose(response, 500, "status=error&reason=cannot%20store");

    enum class State { Before, InFile, After } state = State::Before;
    std::size_t size = 0;
    bool tooLarge = false;
    bool writeFailed = false;
    const bool read = reader(
        [&](const httplib::MultipartFormData& part) {
            if (state == State::InFile)
                state = State::After;
            else if (state == State::Before && !part.filename.empty())
                state = State::InFile;
            return true;
        },
        [&](const char* data, std::size_t length) {
            if (state != State::InFile)
                return true;
            size += length;
            if (size > kLargestFile) {
                tooLarge = true;
                return false;
            }
            if (std::fwrite(data, 1, length, file.get()) != length) {
                writeFailed = true;
                return false;
            }
            return true;
        });
    const bool flushed = std::fflush(file.get()) == 0 && ::fsync(::fileno(file.get())) == 0;
    file.reset();
    if (!read || state == State::Before || writeFailed || !flushed) {
        ::unlink(temporary.c_str());
        if (tooLarge)
            return refuseAndClose(response, 413, "status=error&reason=file%20too%20large");
        if (state == State::Before && read)
            return refuseAndClose(response, 400, "status=error&reason=no%20file");
        return refuseAndClose(response, writeFailed || !flushed ? 500 : 400,
                              "status=error&reason=upload%20failed");
    }
    DataFolder::commit(temporary, target);
    sendText(response, 200, "status=ok");
}

void remove(SiteContext& context, const httplib::Request& request, httplib::Response& response) {
    const std::string name = request.get_param_value("filename");
    if (!isUploadName(name))
        return sendText(response, 400, "status=error&reason=bad%20filename");
    std::error_code error;
    fs::remove(context.data.uploads() / name, error);
    sendText(response, 200, "status=ok");
}

} // namespace

void addFileUploadRoutes(httplib::Server& server, SiteContext& context) {
    for (const std::string prefix : {"", "/ivemba"}) {
        server.Post(prefix + "/uploadfile.aspx",
                    [&context](const httplib::Request& request, httplib::Response& response,
                               const httplib::ContentReader& reader) {
                        receive(context, request, response, reader);
                    });
        server.Get(prefix + R"(/upload/(.*))",
                   [&context](const httplib::Request& request, httplib::Response& response) {
                       const std::string name = request.matches[1].str();
                       if (!isUploadName(name))
                           return sendText(response, 404, "not found");
                       const fs::path path = context.data.uploads() / name;
                       sendFile(response, path, contentTypeOf(path));
                   });
        const auto removal = [&context](const httplib::Request& request,
                                        httplib::Response& response) {
            remove(context, request, response);
        };
        server.Get(prefix + "/uploadfile_del.aspx", removal);
        server.Post(prefix + "/uploadfile_del.aspx", removal);
    }
}

} // namespace site
