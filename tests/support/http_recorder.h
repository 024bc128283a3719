// A loopback HTTP server standing in for the player host: records each request line it receives.
#pragma once
#include <winsock2.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

class HttpRecorder {
public:
    explicit HttpRecorder(unsigned short port = 80);
    ~HttpRecorder();

    bool Listening() const { return listener_ != INVALID_SOCKET; }
    // The request targets received so far (the bytes between the method and the version).
    std::vector<std::string> Targets();
    // Waits for the next request target after `seen` requests; empty on time-out.
    std::string WaitForTarget(size_t seen, unsigned timeoutMs = 15000);

private:
    void Serve();

    SOCKET listener_ = INVALID_SOCKET;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::vector<std::string> targets_;
    std::thread thread_;
};

}  // namespace testing_support
