#pragma once

#include <atomic>

#include "platform/HttpTransport.h"

// Counts the requests for the progress shown, and cancels at a request a test names.
class CountingTransport : public HttpTransport {
public:
    CountingTransport(HttpTransport& inner, std::atomic<int>& count, std::atomic<bool>& cancelled,
                      int cancelAt)
        : inner_(inner), count_(count), cancelled_(cancelled), cancelAt_(cancelAt) {}
    HttpResponse send(const HttpRequest& request) override {
        if (++count_ == cancelAt_) cancelled_ = true;
        return inner_.send(request);
    }
    std::chrono::seconds answerLimit() const override { return inner_.answerLimit(); }

private:
    HttpTransport& inner_;
    std::atomic<int>& count_;
    std::atomic<bool>& cancelled_;
    int cancelAt_;
};
