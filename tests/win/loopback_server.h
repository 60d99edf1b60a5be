// A tiny HTTP server on 127.0.0.1 for the navigation tests. It answers every GET with
// a small page and records each request line; it runs on a thread of its own and
// stops when the object goes away. Only the loopback address is ever bound.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackHttpServer {
public:
    // Listens on 127.0.0.1:port. A port held by somebody else (another test run on the
    // same machine) is waited for, at most waitForPort milliseconds. Port 0 takes any
    // free port, which port() then tells.
    explicit LoopbackHttpServer(unsigned short port, DWORD waitForPort = 60000);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    bool listening() const { return listener_ != kNoSocket; }
    unsigned short port() const { return port_; }

    // Request lines as received, e.g. "GET /tovr/login HTTP/1.1".
    std::vector<std::string> requestLines() const;
    int CountOf(const std::string& requestLine) const;

    // Runs the calling thread's messages (the control lives there) until requestLine
    // has arrived `times` times in all, or the time is up.
    bool WaitFor(const std::string& requestLine, int times = 1, DWORD milliseconds = 15000) const;

private:
    // Winsock's SOCKET, kept as its underlying type so that this header need not come
    // before <windows.h> everywhere it is used.
    using Socket = UINT_PTR;
    static constexpr Socket kNoSocket = ~Socket(0);

    void Serve();
    void Answer(Socket client);

    unsigned short port_;
    Socket listener_ = kNoSocket;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

// The port of the start page's host as the build fixed it ("127.0.0.1:8080" gives
// 8080; a host without a port gives 80), and whether that host is this machine.
unsigned short StartPagePort();
bool StartPageIsLoopback();

// "http://" + the start page's host + path.
std::wstring PortalAddress(const wchar_t* path);
