// Buffered writing of JSON Lines to a C stream. Small objects are built as
// nlohmann::ordered_json and written whole; a large object is written piece
// by piece, so its size costs no tree of JSON values.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

class TEscritorJson {
public:
    explicit TEscritorJson(std::FILE* Destino);
    ~TEscritorJson();  // writes out what is still buffered
    TEscritorJson(const TEscritorJson&) = delete;
    TEscritorJson& operator=(const TEscritorJson&) = delete;

    // JSON text as it is (punctuation and literal keys).
    TEscritorJson& Texto(std::string_view T);
    TEscritorJson& Entero(std::int64_t V);
    // A JSON string. Bytes that are not UTF-8 become U+FFFD.
    TEscritorJson& Cadena(std::string_view S);
    // A JSON string of two lowercase hex digits per byte.
    TEscritorJson& Hex(std::span<const std::uint8_t> Bytes);
    TEscritorJson& FinLinea() { return Texto("\n"); }
    // A whole object, then the end of the line.
    void Linea(const nlohmann::ordered_json& Objeto);

    // Hands the buffer to the stream and flushes it. False once any write
    // has failed; after a failure nothing more is written.
    bool Vaciar();

private:
    void VaciarSiLleno() {
        if (Buffer_.size() >= Umbral) Vaciar();
    }
    static constexpr std::size_t Umbral = std::size_t{1} << 20;
    std::FILE* Destino_;
    std::string Buffer_;
    bool Fallo_ = false;
};

// The compact JSON text of a value, with bytes that are not UTF-8 replaced.
std::string TextoJson(const nlohmann::ordered_json& Valor);
