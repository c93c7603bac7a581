#include "PostgresServer.h"

#include "site/store/PgConnection.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <sstream>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace testsupport {

namespace {

constexpr const char* kBin = "/usr/lib/postgresql/15/bin/";

std::string readAll(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Starts `args` with its output in `log`, as nobody when this process is root, and asks
// the kernel to send it `parentGone` when the thread that started it ends.
pid_t spawn(const std::vector<std::string>& args, const fs::path& log, int parentGone) {
    const passwd* nobody = ::getuid() == 0 ? ::getpwnam("nobody") : nullptr;
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    ::dup2(out, 1);
    ::dup2(out, 2);
    if (nobody && (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 ||
                   ::setuid(nobody->pw_uid) != 0))
        ::_exit(126);
    // After the change of user, which clears it.
    if (parentGone)
        ::prctl(PR_SET_PDEATHSIG, parentGone);
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
}

} // namespace

PostgresServer::PostgresServer(bool durable) {
    std::string pattern = (fs::temp_directory_path() / "ivemba-pg-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        m_error = "cannot make a temporary folder";
        return;
    }
    m_folder = pattern;
    if (::getuid() == 0) {
        const passwd* nobody = ::getpwnam("nobody");
        if (!nobody || ::chown(m_folder.c_str(), nobody->pw_uid, nobody->pw_gid) != 0) {
            m_error = "cannot give the folder to nobody";
            return;
        }
    }
    const fs::path log = m_folder / "server.log";
    const pid_t init =
        spawn({std::string(kBin) + "initdb", "-D", (m_folder / "data").string(), "-U", "ivemba",
               "-A", "trust", "-E", "UTF8", "--no-locale", "--no-sync"},
              log, SIGKILL);
    int status = 0;
    if (init < 0 || ::waitpid(init, &status, 0) != init || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        m_error = "initdb failed: " + readAll(log);
        return;
    }
    std::vector<std::string> args = {std::string(kBin) + "postgres",
                                     "-D",
                                     (m_folder / "data").string(),
                                     "-k",
                                     m_folder.string(),
                                     "-c",
                                     "listen_addresses=",
                                     "-c",
                                     "max_connections=300",
                                     "-c",
                                     "shared_buffers=64MB"};
    if (!durable)
        for (const char* setting : {"fsync=off", "synchronous_commit=off", "full_page_writes=off"})
            args.insert(args.end(), {"-c", setting});
    // Immediate shutdown should this process die without stopping it.
    m_pid = spawn(args, log, SIGQUIT);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (true) {
        try {
            site::PgConnection probe(url("postgres"));
            return;
        } catch (const std::runtime_error&) {
        }
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid ||
            std::chrono::steady_clock::now() > deadline) {
            if (::kill(m_pid, 0) == 0) {
                ::kill(m_pid, SIGQUIT);
                ::waitpid(m_pid, &status, 0);
            }
            m_pid = -1;
            m_error = "postgres did not start: " + readAll(log);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

PostgresServer::~PostgresServer() {
    if (m_pid > 0) {
        // Fast shutdown: open sessions are ended, nothing is waited for.
        ::kill(m_pid, SIGINT);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
    }
    std::error_code error;
    if (!m_folder.empty())
        fs::remove_all(m_folder, error);
}

std::string PostgresServer::url(const std::string& database) const {
    return "postgresql:///" + database + "?host=" + m_folder.string() +
           "&user=ivemba&sslmode=disable&gssencmode=disable";
}

std::string PostgresServer::freshDatabase() {
    if (!running())
        throw std::runtime_error("no PostgreSQL server: " + m_error);
    const std::string name = "site_" + std::to_string(++m_databases);
    site::PgConnection(url("postgres")).exec("CREATE DATABASE " + name);
    return url(name);
}

PostgresServer& PostgresServer::shared() {
    static PostgresServer server;
    return server;
}

} // namespace testsupport
