#include "http_listener.h"

#include <ws2tcpip.h>

HttpListener::HttpListener() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;  // any free port
    int length = sizeof(address);
    if (socket_ == INVALID_SOCKET || bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(socket_, 8) != 0 || getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return;
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

HttpListener::~HttpListener() {
    closesocket(socket_);  // ends the accept loop
    if (thread_.joinable()) thread_.join();
    WSACleanup();
}

std::wstring HttpListener::Url(const std::wstring& path) const {
    return L"http://127.0.0.1:" + std::to_wstring(port_) + path;
}

int HttpListener::RequestsFor(const std::string& path) const {
    std::lock_guard<std::mutex> lock(mutex_);
    int count = 0;
    for (const std::string& seen : paths_) count += seen == path;
    return count;
}

void HttpListener::Serve() {
    for (;;) {
        SOCKET client = accept(socket_, nullptr, nullptr);
        if (client == INVALID_SOCKET) return;
        Answer(client);
        closesocket(client);
    }
}

void HttpListener::Answer(SOCKET client) {
    std::string request;
    char buffer[2048];
    while (request.find("\r\n\r\n") == std::string::npos) {
        const int got = recv(client, buffer, sizeof(buffer), 0);
        if (got <= 0) break;
        request.append(buffer, got);
    }
    // "GET /path HTTP/1.1"
    const size_t start = request.find(' ');
    const size_t end = start == std::string::npos ? start : request.find(' ', start + 1);
    if (end != std::string::npos) {
        std::lock_guard<std::mutex> lock(mutex_);
        paths_.push_back(request.substr(start + 1, end - start - 1));
    }
    const std::string reply =
        "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: 13\r\nConnection: close\r\n\r\n"
        "<html></html>";
    send(client, reply.data(), static_cast<int>(reply.size()), 0);
}
