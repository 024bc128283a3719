#include "support/http_recorder.h"

#include "support/remote_window.h"

#include <ws2tcpip.h>

namespace testing_support {

HttpRecorder::HttpRecorder(unsigned short port) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    BOOL reuse = TRUE;
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof(reuse));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(listener_, 16) != 0) {
        closesocket(listener_);
        listener_ = INVALID_SOCKET;
        return;
    }
    thread_ = std::thread([this] { Serve(); });
}

HttpRecorder::~HttpRecorder() {
    stopping_ = true;
    if (listener_ != INVALID_SOCKET) closesocket(listener_);
    if (thread_.joinable()) thread_.join();
    WSACleanup();
}

void HttpRecorder::Serve() {
    while (!stopping_) {
        SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) break;
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            const int got = recv(client, buffer, sizeof(buffer), 0);
            if (got <= 0) break;
            request.append(buffer, static_cast<size_t>(got));
        }
        const size_t lineEnd = request.find("\r\n");
        const std::string line = request.substr(0, lineEnd);
        const size_t first = line.find(' '), last = line.rfind(' ');
        if (first != std::string::npos && last > first) {
            std::lock_guard<std::mutex> lock(mutex_);
            targets_.push_back(line.substr(first + 1, last - first - 1));
        }
        const char response[] = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        send(client, response, sizeof(response) - 1, 0);
        shutdown(client, SD_BOTH);
        closesocket(client);
    }
}

std::vector<std::string> HttpRecorder::Targets() {
    std::lock_guard<std::mutex> lock(mutex_);
    return targets_;
}

std::string HttpRecorder::WaitForTarget(size_t seen, unsigned timeoutMs) {
    std::string target;
    WaitUntil([&] {
        const auto targets = Targets();
        if (targets.size() <= seen) return false;
        target = targets[seen];
        return true;
    }, timeoutMs);
    return target;
}

}  // namespace testing_support
