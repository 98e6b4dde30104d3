// The recording of one operation's step reports, for a player that shows any
// stage in any order: the operation runs to completion at once, and any
// stage's picture can be rebuilt afterwards exactly as the canvas had it.
//
// What the canvas does at a report, and what the recording emulates: at a
// report of type 0 it draws the structure as it stands; at type 1 it lays the
// structure out anew and the nodes glide from where they stand to the new
// layout; at type 2 it shows the stage, waits for the go-ahead, then lays out
// and glides as at type 1. Between layouts the engine itself moves drawn
// positions (a new node starts at its parent's place, the heap's exchanges
// swap them), so the positions a stage shows depend on the layouts before it.
//
// Design: the recording keeps a clone of the structure before the operation
// and a compact record per stage (texts interned, marked values, selection,
// removed value), no picture. A picture is rebuilt by running the operation
// again on a clone of the clone and stopping at the stage asked for (the
// handler clones the structure and throws; the engines stay sound when a
// report handler throws, and the clone is discarded anyway). The engines are
// deterministic, so the rerun passes through the same states.
//
// A layout only matters when something reads the positions it wrote before
// they are overwritten. Between two layout stages during which the node count
// stays the same and no removed node is shown, the same nodes are linked
// throughout and the engine only exchanges positions among them, so the
// second layout overwrites every position the first one wrote; it keeps
// them, though, as the start of its glide (XIni, YIni), which only the layout
// after it overwrites in turn. A layout is therefore skipped, in the live run
// and in the reruns alike, when the next two layouts both overwrite
// everything before them and both come before the stage being rebuilt (or
// before the end). A splay of a long chain or a heap construction thus lays
// out twice instead of once per rotation or exchange, and a rerun costs about
// the operation itself plus a few layouts.
//
// Memory: the pre-operation clone (one pool slot per node), two bits per
// stage, and the stage records up to a budget (PresupuestoPorDefecto unless
// given). Past the budget the operation still runs to completion on the live
// structure, but the later stages are only counted (EtapasOmitidas): they can
// be neither listed nor rebuilt, and Completa() is false. A picture is built
// on demand and owned by the caller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "uArbolBin.h"

// The operation to record, run on the structure given (search, insertion,
// deletion of the selected node, a heap build, ...). It must act the same on
// two equal structures: no randomness of its own.
using TOperacionArbol = std::function<void(TArbolBin&)>;
// The canvas's layout of a structure (DistribuirSeparada ... with its sizes).
using TDistribuirArbol = std::function<void(TArbolBin&)>;

class TGrabacion {
public:
    static constexpr std::size_t PresupuestoPorDefecto = std::size_t{64} << 20;

    // One stage as reported. The texts stay valid while the recording lives
    // and records nothing new.
    struct TEtapa {
        std::string_view Titulo;
        std::string_view Descripcion;
        int Tipo = 0;
        std::vector<std::int32_t> Marcados;  // the marked nodes' values, in pre-order
        std::optional<std::int32_t> Sel;      // NodoSel's value
        std::optional<std::int32_t> Borrado;  // NodoBorrado's value
        // The algorithm's line it belongs to (uPseudocodigo.h): the
        // listing's name and the line from 1; empty and 0 for none.
        std::string_view Listado;
        int Linea = 0;
    };

    // A stage's pictures: the structure at its report, and for types 1 and 2
    // the same after the layout the canvas then made (its motion fields hold
    // the glide: XIni, YIni where the nodes stood, XFin, YFin the layout).
    struct TFoto {
        std::unique_ptr<TArbolBin> Antes;
        std::unique_ptr<TArbolBin> Despues;  // nil for type 0
    };

    // Presupuesto: bytes the stage records may take.
    explicit TGrabacion(std::size_t Presupuesto = PresupuestoPorDefecto) : Presupuesto_(Presupuesto) {}

    // Records Operacion on Arbol. When it returns, Arbol holds the result,
    // with the drawn positions the live presentation would have left
    // (Distribuir at each type 1 and 2 stage, but for the layouts skipped as
    // above). Arbol's handler is set aside during the run and given back
    // however it ends; an exception from the engine or the layout propagates
    // after that, and the stages made before it stay recorded and can be
    // rebuilt. A recording holds one operation: a new Grabar replaces it.
    // Arbol's progress hook (Avance) counts the stages of both runs; when it
    // throws ECancelado in the first one, Arbol is untouched.
    void Grabar(TArbolBin& Arbol, TOperacionArbol Operacion, TDistribuirArbol Distribuir);

    std::size_t NumEtapas() const { return Registros_.size(); }
    std::size_t EtapasOmitidas() const { return Distribuye_.size() - Registros_.size(); }
    bool Completa() const { return EtapasOmitidas() == 0; }
    TEtapa Etapa(std::size_t K) const;  // K < NumEtapas()
    // The pictures of stage K (K < NumEtapas(); std::out_of_range otherwise).
    TFoto Foto(std::size_t K) const;
    // The structure before the operation (nil before Grabar).
    const TArbolBin* Inicial() const { return Inicial_.get(); }
    // Memory held: the pre-operation clone and the stage records.
    std::size_t BytesRetenidos() const;

private:
    struct TRegistro {
        std::uint32_t Titulo, Descripcion;  // into Textos_
        std::uint32_t PrimerMarcado;        // into Marcados_
        std::uint8_t NumMarcados;
        std::int8_t Tipo;
        bool HaySel, HayBorrado;
        std::int32_t Sel, Borrado;
        std::int16_t Listado;  // into Listados(), -1 for none
        std::int16_t Linea;
    };
    std::uint32_t Internar(const std::string& Texto);
    void Anotar(const TArbolBin& A, const std::string& Titulo, const std::string& Descripcion, int Tipo);
    // Runs the operation on A with the recorded layouts up to stage Hasta,
    // where Parar receives A and the stage's type, and the run is abandoned.
    // With no stage Hasta the run goes to the end.
    void Repetir(TArbolBin& A, std::size_t Hasta, const std::function<void(TArbolBin&, int)>& Parar) const;
    void Distribuir(TArbolBin& A) const;

    std::size_t Presupuesto_;
    std::size_t BytesEtapas_ = 0;
    std::unique_ptr<TArbolBin> Inicial_;
    TOperacionArbol Operacion_;
    TDistribuirArbol Distribuir_;
    std::vector<TRegistro> Registros_;
    std::vector<std::int32_t> Marcados_;
    std::unordered_map<std::string, std::uint32_t> IndiceTextos_;
    std::vector<const std::string*> Textos_;
    // Per stage, recorded or not: the canvas lays out there (type 1 or 2)...
    std::vector<bool> Distribuye_;
    // ...and the next two layouts overwrite everything it wrote (see above).
    std::vector<bool> Sobrescrita_;
};
