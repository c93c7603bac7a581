// ivemba-site: the maker's web site, or `ivemba-site publish` to publish a border package.
#include "site/Publisher.h"
#include "site/SiteServer.h"
#include "site/store/SiteStore.h"

#include <csignal>
#include <cstdio>
#include <exception>
#include <pthread.h>
#include <thread>

int main(int argc, char** argv) {
    const site::CommandLine command =
        site::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!command.error.empty()) {
        std::fprintf(stderr, "ivemba-site: %s\n%s", command.error.c_str(), site::usageText());
        return 2;
    }
    try {
        if (command.publish) {
            site::SiteOptions options;
            options.data = command.publish->data;
            options.database = command.publish->database;
            options.threads = 1;
            const auto store = site::openStore(options);
            site::Publisher publisher(*store, command.publish->base);
            const std::string number =
                publisher.publish(command.publish->note, command.publish->classFolders);
            std::printf("published border package %s\n", number.c_str());
            return 0;
        }
        // Termination signals are taken by one thread, which stops the server cleanly;
        // every other thread inherits the blocked mask.
        sigset_t signals;
        sigemptyset(&signals);
        sigaddset(&signals, SIGINT);
        sigaddset(&signals, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &signals, nullptr);

        site::SiteServer server(*command.serve);
        int port = 0;
        try {
            port = server.bind();
        } catch (const site::http::BindError& error) {
            std::fprintf(stderr, "ivemba-site: %s\n", error.what());
            return 3;
        }
        if (command.serve->database.empty())
            std::printf("ivemba-site: listening on http://%s:%d/ with data in %s\n",
                        command.serve->host.c_str(), port, command.serve->data.c_str());
        else
            std::printf("ivemba-site: listening on http://%s:%d/ with data in PostgreSQL\n",
                        command.serve->host.c_str(), port);
        std::fflush(stdout);
        std::thread watcher([&server, signals] {
            int signal = 0;
            sigwait(&signals, &signal);
            server.stop();
        });
        watcher.detach();
        server.serve();
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "ivemba-site: %s\n", error.what());
        return 1;
    }
}
