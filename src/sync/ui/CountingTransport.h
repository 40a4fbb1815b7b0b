#pragma once

#include <atomic>

#include "platform/HttpTransport.h"

// Counts the requests for the progress shown, and notes a request the cancel cut short.
class CountingTransport : public HttpTransport {
public:
    CountingTransport(HttpTransport& inner, std::atomic<int>& count, std::atomic<bool>& cancelled,
                      std::atomic<bool>& cut, int cancelAt)
        : inner_(inner), count_(count), cancelled_(cancelled), cut_(cut), cancelAt_(cancelAt) {}
    HttpResponse send(const HttpRequest& request) override {
        if (++count_ == cancelAt_) cancelled_ = true;
        HttpResponse response = inner_.send(request);
        if (response.failure == HttpFailure::Cancelled) cut_ = true;
        return response;
    }

private:
    HttpTransport& inner_;
    std::atomic<int>& count_;
    std::atomic<bool>& cancelled_;
    std::atomic<bool>& cut_;
    int cancelAt_;
};
