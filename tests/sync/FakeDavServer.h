#pragma once

#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "platform/HttpTransport.h"

// One address book or calendar in memory, answering as a WebDAV server without the
// sync-collection report would, so that the engine lists by ETags. `fault` sees each
// request first and may answer it instead (a 412, a 507, a cut connection, a broken body).
class FakeDavServer : public HttpTransport {
public:
    static constexpr const char* kCollection = "http://dav.test/books/main/";

    struct Item {
        std::string etag;
        std::string body;
    };

    HttpResponse send(const HttpRequest& request) override {
        ++requests;
        if (const auto answer = fault ? fault(request) : std::nullopt) return *answer;
        const std::string href = decoded(request.url.substr(std::string("http://dav.test").size()));
        if (request.method == "REPORT" && request.body.find("sync-collection") != std::string::npos)
            return exactChanges ? changesSince(request.body) : HttpResponse{501, {}, {}, {}};
        if (request.method == "PROPFIND" && header(request, "Depth") == "0" && items.contains(href))
            return multistatus(entry(href, etagProp(items.at(href).etag)));
        if (request.method == "PROPFIND") return listing();
        if (request.method == "REPORT") return multiget(request.body);
        const auto it = items.find(href);
        if (request.method == "GET") {
            if (it == items.end()) return {404, {}, {}, {}};
            return {200, {{"ETag", it->second.etag}}, it->second.body, {}};
        }
        const std::string ifMatch = header(request, "If-Match");
        if (it != items.end() ? (!ifMatch.empty() && ifMatch != it->second.etag) : !ifMatch.empty())
            return {412, {}, {}, {}};
        if (request.method == "PUT") {
            if (it != items.end() && !header(request, "If-None-Match").empty())
                return {412, {}, {}, {}};
            stored(href);
            items[href] = {nextEtag(), request.body};
            if (!etagOnPut) return {201, {}, {}, {}};
            return {201, {{"ETag", items[href].etag}}, {}, {}};
        }
        if (request.method == "DELETE") {
            if (it == items.end()) return {404, {}, {}, {}};
            remove(href);
            return {204, {}, {}, {}};
        }
        return {405, {}, {}, {}};
    }

    std::chrono::seconds answerLimit() const override { return limit; }

    // Stores an item as another client would, with a new ETag.
    void store(const std::string& href, std::string body) {
        stored(href);
        items[href] = {nextEtag(), std::move(body)};
    }
    // Deletes an item as another client would.
    void remove(std::string href) {
        items.erase(href);
        deleted_[href] = ++version_;
    }

    // One response of a multistatus answer, holding `props`.
    static std::string entry(const std::string& href, const std::string& props) {
        return "<d:response><d:href>" + href + "</d:href><d:propstat><d:prop>" + props +
               "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>";
    }
    static std::string etagProp(const std::string& etag) {
        return "<d:getetag>" + escaped(etag) + "</d:getetag>";
    }
    static HttpResponse multistatus(const std::string& responses) {
        return {207,
                {},
                "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\" "
                "xmlns:A=\"urn:ietf:params:xml:ns:carddav\" "
                "xmlns:C=\"urn:ietf:params:xml:ns:caldav\">" +
                    responses + "</d:multistatus>",
                {}};
    }
    static std::string escaped(const std::string& text) {
        std::string out;
        for (const char c : text)
            out += c == '<' ? "&lt;" : c == '&' ? "&amp;" : c == '"' ? "&quot;" : std::string(1, c);
        return out;
    }

    std::map<std::string, Item> items;  // by path
    std::function<std::optional<HttpResponse>(const HttpRequest&)> fault;
    int requests = 0;
    bool etagOnPut = true;  // some servers leave it out of a PUT's answer
    // Answers sync-collection with the exact changes since a token, as RFC 6578 allows (and
    // Xandikos does): an item made and deleted after the token is not named at all.
    bool exactChanges = false;
    std::chrono::seconds limit{0};  // how long one answer may take, as a transport says

private:
    static std::string header(const HttpRequest& request, const std::string& name) {
        for (const auto& [key, value] : request.headers)
            if (key == name) return value;
        return {};
    }
    // The path as the server reads it, its percent escapes decoded.
    static std::string decoded(const std::string& path) {
        std::string out;
        for (size_t i = 0; i < path.size(); ++i) {
            if (path[i] == '%' && i + 2 < path.size()) {
                out += static_cast<char>(std::stoi(path.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else {
                out += path[i];
            }
        }
        return out;
    }
    std::string nextEtag() { return "\"e" + std::to_string(++etags_) + "\""; }

    HttpResponse listing() const {
        std::string body =
            entry("/books/main/", "<d:resourcetype><d:collection/></d:resourcetype>");
        for (const auto& [href, item] : items)
            body += entry(href, etagProp(item.etag));
        return multistatus(body);
    }

    // Items asked for by a multiget, with their data.
    HttpResponse multiget(const std::string& request) const {
        const std::string data = request.find("calendar-multiget") != std::string::npos
                                     ? "C:calendar-data"
                                     : "A:address-data";
        std::string body;
        for (size_t at = 0; (at = request.find("<d:href>", at)) != std::string::npos;) {
            at += 8;
            const std::string href = request.substr(at, request.find('<', at) - at);
            const auto it = items.find(href);
            body += it == items.end()
                        ? "<d:response><d:href>" + href +
                              "</d:href><d:status>HTTP/1.1 404 Not Found</d:status></d:response>"
                        : entry(href, etagProp(it->second.etag) + "<" + data + ">" +
                                          escaped(it->second.body) + "</" + data + ">");
        }
        return multistatus(body);
    }

    void stored(const std::string& href) {
        ++version_;
        if (!items.contains(href)) created_[href] = version_;
        changed_[href] = version_;
        deleted_.erase(href);
    }

    HttpResponse changesSince(const std::string& request) const {
        const size_t at = request.find("<d:sync-token>") + 14;
        const int since = std::atoi(request.substr(at, request.find('<', at) - at).c_str());
        if (since > version_)
            return {403, {}, "<d:error xmlns:d=\"DAV:\"><d:valid-sync-token/></d:error>", {}};
        std::string body;
        for (const auto& [href, item] : items)
            if (when(changed_, href) > since) body += entry(href, etagProp(item.etag));
        for (const auto& [href, when] : deleted_) {
            if (since > 0 && when > since && FakeDavServer::when(created_, href) <= since)
                body += "<d:response><d:href>" + href +
                        "</d:href><d:status>HTTP/1.1 404 Not Found</d:status></d:response>";
        }
        return multistatus(body + "<d:sync-token>" + std::to_string(version_) + "</d:sync-token>");
    }

    static int when(const std::map<std::string, int>& log, const std::string& href) {
        const auto it = log.find(href);
        return it == log.end() ? 0 : it->second;
    }

    int etags_ = 0;
    int version_ = 0;
    std::map<std::string, int> created_, changed_, deleted_;  // by path: when
};
