#include <winsock2.h>

#include "loopback_server.h"

#include <type_traits>

#include "../../browser/navigation.h"
#include "test_support.h"

static_assert(std::is_same<SOCKET, UINT_PTR>::value, "the header keeps sockets as UINT_PTR");

namespace {

constexpr char kPage[] =
    "<!DOCTYPE html><html><head><title>test portal</title></head><body>test portal</body></html>";
constexpr int kReceiveTimeoutMs = 3000;

// "http://host:port/path" -> "host:port"
std::string StartPageHost() {
    const std::string url = StartPageUrl;
    const size_t begin = url.find("//") + 2;
    return url.substr(begin, url.find('/', begin) - begin);
}

SOCKET ListenOnLoopback(unsigned short port) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return s;
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(s, 8) != 0) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    return s;
}

// Reads up to the end of the request head; what the client sends after it is ignored.
std::string ReadRequestHead(SOCKET client) {
    std::string head;
    char buffer[1024];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 16384) {
        const int got = recv(client, buffer, sizeof(buffer), 0);
        if (got <= 0) break;
        head.append(buffer, static_cast<size_t>(got));
    }
    return head;
}

void SendAll(SOCKET client, const std::string& data) {
    size_t sent = 0;
    while (sent < data.size()) {
        const int n = send(client, data.data() + sent, static_cast<int>(data.size() - sent), 0);
        if (n <= 0) return;
        sent += static_cast<size_t>(n);
    }
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer(unsigned short port, DWORD waitForPort) : port_(port) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    const DWORD start = GetTickCount();
    while ((listener_ = ListenOnLoopback(port)) == INVALID_SOCKET && GetTickCount() - start < waitForPort) {
        Sleep(250);
    }
    if (listening() && port_ == 0) {  // a free port was asked for: which one it is
        sockaddr_in bound = {};
        int length = sizeof(bound);
        getsockname(listener_, reinterpret_cast<sockaddr*>(&bound), &length);
        port_ = ntohs(bound.sin_port);
    }
    if (listening()) thread_ = std::thread(&LoopbackHttpServer::Serve, this);
}

LoopbackHttpServer::~LoopbackHttpServer() {
    stopping_ = true;
    if (thread_.joinable()) thread_.join();
    if (listening()) closesocket(listener_);
    WSACleanup();
}

void LoopbackHttpServer::Serve() {
    while (!stopping_) {
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(listener_, &ready);
        timeval tick = {0, 100 * 1000};
        if (select(0, &ready, nullptr, nullptr, &tick) <= 0) continue;
        SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) continue;
        Answer(client);
    }
}

void LoopbackHttpServer::Answer(Socket client) {
    DWORD timeout = kReceiveTimeoutMs;
    setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
    const std::string head = ReadRequestHead(client);
    const size_t lineEnd = head.find("\r\n");
    if (lineEnd != std::string::npos) {
        std::lock_guard<std::mutex> lock(mutex_);
        lines_.push_back(head.substr(0, lineEnd));
    }
    const std::string body = kPage;
    SendAll(client,
            "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nCache-Control: no-store\r\n"
            "Connection: close\r\nContent-Length: " +
                std::to_string(body.size()) + "\r\n\r\n" + body);
    // Let the client close first, so that the port is not left waiting in TIME_WAIT
    // for the next test that listens on it.
    shutdown(client, SD_SEND);
    char drain[256];
    while (recv(client, drain, sizeof(drain), 0) > 0) {
    }
    closesocket(client);
}

std::vector<std::string> LoopbackHttpServer::requestLines() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lines_;
}

int LoopbackHttpServer::CountOf(const std::string& requestLine) const {
    int count = 0;
    for (const std::string& line : requestLines()) count += line == requestLine;
    return count;
}

bool LoopbackHttpServer::WaitFor(const std::string& requestLine, int times, DWORD milliseconds) const {
    return PumpUntil([&] { return CountOf(requestLine) >= times; }, milliseconds);
}

unsigned short StartPagePort() {
    const std::string host = StartPageHost();
    const size_t colon = host.rfind(':');
    return static_cast<unsigned short>(colon == std::string::npos ? 80 : std::stoi(host.substr(colon + 1)));
}

bool StartPageIsLoopback() {
    const std::string host = StartPageHost();
    const std::string name = host.substr(0, host.rfind(':'));
    return name == "127.0.0.1" || name == "localhost";
}

std::wstring PortalAddress(const wchar_t* path) {
    const std::string host = StartPageHost();
    return L"http://" + std::wstring(host.begin(), host.end()) + path;
}
