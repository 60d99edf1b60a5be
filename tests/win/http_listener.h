// A tiny web server on the loopback interface, in the test process: it answers every
// request with an empty page and remembers which paths were asked for, so a test can
// see the embedded browser navigate.
#pragma once

#include <winsock2.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

class HttpListener {
public:
    HttpListener();  // listens on a free port of 127.0.0.1
    ~HttpListener();
    HttpListener(const HttpListener&) = delete;
    HttpListener& operator=(const HttpListener&) = delete;

    bool listening() const { return port_ != 0; }
    // "http://127.0.0.1:<port>" followed by path.
    std::wstring Url(const std::wstring& path) const;
    // How many requests asked for exactly this path (query included).
    int RequestsFor(const std::string& path) const;

private:
    void Serve();
    void Answer(SOCKET client);

    SOCKET socket_ = INVALID_SOCKET;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<std::string> paths_;
};
