#include "dbmanager/ExportacaoModelo.h"

#include "dbmanager/ModeloGrade.h"
#include "model/RotinasCabecalho.h"
#include "model/dado.h"
#include "platform/ArquivoSeguro.h"
#include "platform/Cp1252.h"

#include <QStringList>
#include <algorithm>
#include <cstddef>
#include <cstring>

namespace brenk {

namespace {

// Offsets of one setting in this program's header and in the other product's.
struct Par {
  std::size_t t, z;
};
constexpr Par kNumVariaveis{65572, 44116}, kDependente{65588, 44132}, kNomes{1120, 1120}, kDescricoes{2980, 2360},
    kDatas{39400, 26640}, kRelacoes{40060, 27080}, kTipos{40300, 27240}, kCasas{40780, 27560}, kArea{41284, 27904},
    kUnitario{41288, 27908}, kColunas{65592, 44136}, kEndereco{67032, 45496}, kComplemento{67036, 45500},
    kSenha{1096, 1096}, kProtegido{1109, 1109}, kModoAcesso{1112, 1112}, kDesbloqueado{1116, 1116};
constexpr std::size_t kTamNome = 31, kTamDescricao = 601, kTamData = 11, kTamSenha = 13;

template <class C>
void Texto(C& c, std::size_t off, std::size_t tam, const QString& t) {
  std::memset(c.bytes + off, 0, tam);
  plat::GravaCp1252(t, reinterpret_cast<char*>(c.bytes + off), tam);
}
template <class C>
QString LeTexto(const C& c, std::size_t off, std::size_t tam) {
  return plat::LeCp1252(reinterpret_cast<const char*>(c.bytes + off), tam);
}

// A cell's text cut to `n` characters, as a record's text field takes it.
QString Corta(const QString& t, int n) { return t.left(n); }

}  // namespace

const QStringList& Tipologias() {
  static const QStringList lista = {
      QStringLiteral("Apartamentos"), QStringLiteral("Armazéns"),  QStringLiteral("Casas"),
      QStringLiteral("Escritórios"),  QStringLiteral("Lojas"),     QStringLiteral("Lotes"),
      QStringLiteral("Garagens"),     QStringLiteral("Moradias"),  QStringLiteral("Propriedades rústicas"),
      QStringLiteral("Terrenos urbanizáveis"), QStringLiteral("Outra tipologia")};
  return lista;
}

int CodigoTipoImovel(int posicao) {
  // This program's codes: 1 apartments, 2 houses, 3 shops, 4 offices, 5 lots,
  // 6 large plots, 7 other property types.
  static const int codigos[11] = {1, 7, 2, 4, 3, 5, 7, 2, 6, 6, 7};
  return posicao >= 1 && posicao <= 11 ? codigos[posicao - 1] : 7;
}

CabecalhosExportacao::CabecalhosExportacao() : tarsolin(new CabecalhoModelo), zelvar(new Cabecalho550) {
  tarsolin->Zera();
  zelvar->Zera();
}

#define LE_I32(par) (tipo == ExportaTarsolin ? tarsolin->I32(par.t) : zelvar->I32(par.z))
#define LE_I32_I(par, i) (tipo == ExportaTarsolin ? tarsolin->I32(par.t + 4 * std::size_t(i)) : zelvar->I32(par.z + 4 * std::size_t(i)))
#define GRAVA_I32(par, v) (tarsolin->SetI32(par.t, v), zelvar->SetI32(par.z, v))
#define GRAVA_I32_I(par, i, v) (tarsolin->SetI32(par.t + 4 * std::size_t(i), v), zelvar->SetI32(par.z + 4 * std::size_t(i), v))

int CabecalhosExportacao::NumVariaveis() const { return LE_I32(kNumVariaveis); }
int CabecalhosExportacao::Dependente() const { return LE_I32(kDependente); }
QString CabecalhosExportacao::Nome(int i) const {
  return tipo == ExportaTarsolin ? LeTexto(*tarsolin, kNomes.t + kTamNome * i, kTamNome) : LeTexto(*zelvar, kNomes.z + kTamNome * i, kTamNome);
}
QString CabecalhosExportacao::Descricao(int i) const {
  return tipo == ExportaTarsolin ? LeTexto(*tarsolin, kDescricoes.t + kTamDescricao * i, kTamDescricao)
                                 : LeTexto(*zelvar, kDescricoes.z + kTamDescricao * i, kTamDescricao);
}
QString CabecalhosExportacao::Data(int i) const {
  return tipo == ExportaTarsolin ? LeTexto(*tarsolin, kDatas.t + kTamData * i, kTamData) : LeTexto(*zelvar, kDatas.z + kTamData * i, kTamData);
}
int CabecalhosExportacao::Relacao(int i) const { return LE_I32_I(kRelacoes, i); }
int CabecalhosExportacao::Tipo(int i) const { return LE_I32_I(kTipos, i); }
int CabecalhosExportacao::Casas(int i) const { return LE_I32_I(kCasas, i); }
int CabecalhosExportacao::Area() const { return LE_I32(kArea); }
bool CabecalhosExportacao::Unitario() const {
  return (tipo == ExportaTarsolin ? tarsolin->U8(kUnitario.t) : zelvar->U8(kUnitario.z)) != 0;
}
bool CabecalhosExportacao::Protegido() const {
  return (tipo == ExportaTarsolin ? tarsolin->U8(kProtegido.t) : zelvar->U8(kProtegido.z)) != 0;
}
int CabecalhosExportacao::ModoAcesso() const { return LE_I32(kModoAcesso); }
QString CabecalhosExportacao::Senha() const {
  return tipo == ExportaTarsolin ? LeTexto(*tarsolin, kSenha.t, kTamSenha) : LeTexto(*zelvar, kSenha.z, kTamSenha);
}
int CabecalhosExportacao::Coluna(int i) const { return LE_I32_I(kColunas, i); }
int CabecalhosExportacao::ColunaEndereco() const { return LE_I32(kEndereco); }
int CabecalhosExportacao::ColunaComplemento() const { return LE_I32(kComplemento); }

void CabecalhosExportacao::SetNumVariaveis(int n) { GRAVA_I32(kNumVariaveis, n); }
void CabecalhosExportacao::SetDependente(int d) { GRAVA_I32(kDependente, d); }
void CabecalhosExportacao::SetNome(int i, const QString& t) {
  Texto(*tarsolin, kNomes.t + kTamNome * i, kTamNome, t);
  Texto(*zelvar, kNomes.z + kTamNome * i, kTamNome, t);
}
void CabecalhosExportacao::SetDescricao(int i, const QString& t) {
  // The field holds 600 bytes and its terminating zero: a longer text is cut.
  Texto(*tarsolin, kDescricoes.t + kTamDescricao * i, kTamDescricao, t);
  Texto(*zelvar, kDescricoes.z + kTamDescricao * i, kTamDescricao, t);
}
void CabecalhosExportacao::SetData(int i, const QString& t) {
  Texto(*tarsolin, kDatas.t + kTamData * i, kTamData, t);
  Texto(*zelvar, kDatas.z + kTamData * i, kTamData, t);
}
void CabecalhosExportacao::SetRelacao(int i, int r) { GRAVA_I32_I(kRelacoes, i, r); }
void CabecalhosExportacao::SetTipo(int i, int t) { GRAVA_I32_I(kTipos, i, t); }
void CabecalhosExportacao::SetCasas(int i, int n) { GRAVA_I32_I(kCasas, i, n); }
void CabecalhosExportacao::SetArea(int a) { GRAVA_I32(kArea, a); }
void CabecalhosExportacao::SetUnitario(bool sim) {
  tarsolin->SetU8(kUnitario.t, sim);
  zelvar->SetU8(kUnitario.z, sim);
}
void CabecalhosExportacao::SetProtegido(bool sim) {
  tarsolin->SetU8(kProtegido.t, sim);
  zelvar->SetU8(kProtegido.z, sim);
}
void CabecalhosExportacao::SetModoAcesso(int m) { GRAVA_I32(kModoAcesso, m); }
void CabecalhosExportacao::SetSenha(const QString& s) {
  Texto(*tarsolin, kSenha.t, kTamSenha, s);
  Texto(*zelvar, kSenha.z, kTamSenha, s);
}
void CabecalhosExportacao::SetDesbloqueado(bool sim) {
  tarsolin->SetU8(kDesbloqueado.t, sim);
  zelvar->SetU8(kDesbloqueado.z, sim);
}
void CabecalhosExportacao::SetColuna(int i, int c) { GRAVA_I32_I(kColunas, i, c); }
void CabecalhosExportacao::SetColunaEndereco(int c) { GRAVA_I32(kEndereco, c); }
void CabecalhosExportacao::SetColunaComplemento(int c) { GRAVA_I32(kComplemento, c); }

void CabecalhosExportacao::LimpaVariaveis() {
  std::memset(tarsolin->bytes + 1120, 0, 41560 - 1120);
  std::memset(zelvar->bytes + 1120, 0, 41560 - 1120);
  SetNumVariaveis(0);
  SetDependente(-1);
}

void CabecalhosExportacao::MoveDependente() {
  const int n = NumVariaveis(), d = Dependente();
  if (d < 0 || d >= n - 1) return;
  const int u = n - 1;
  const int cd = Coluna(d), cu = Coluna(u);
  // An area variable follows its variable to its new place.
  const int area = Area();
  if (tipo == ExportaTarsolin) MoveVariavelDependente(*tarsolin, false, nullptr);
  else MoveVariavelDependenteZelvar(*zelvar);
  SetColuna(d, cu);
  SetColuna(u, cd);
  if (area == u) SetArea(d);
  else if (area == d) SetArea(u);
}

void MoveVariavelDependenteZelvar(Cabecalho550& cab) {
  const int d = cab.I32(44132), l = cab.I32(44116) - 1;
  if (d < 0 || d >= l || l >= Cabecalho550::MaxVariaveis) return;
  auto troca = [&](std::size_t base, std::size_t tam) {
    unsigned char t[601];
    std::memcpy(t, cab.bytes + base + tam * d, tam);
    std::memcpy(cab.bytes + base + tam * d, cab.bytes + base + tam * l, tam);
    std::memcpy(cab.bytes + base + tam * l, t, tam);
  };
  troca(26400, 6);
  troca(2360, 601);
  troca(1120, 31);
  troca(26640, 11);
  for (std::size_t base : {27560u, 27240u, 27080u, 27400u, 27720u}) troca(base, 4);
  cab.SetI32(44132, l);
  cab.SetI32(28104, 0);
}

void PreparaCabecalhos(CabecalhosExportacao& c) {
  c.tarsolin->Zera();
  c.zelvar->Zera();
  if (c.tipo == ExportaTarsolin) {
    CabecalhoModelo& h = *c.tarsolin;
    std::memcpy(h.bytes, "Tarsolin", 8);
    std::memcpy(h.bytes + 8, " 153", 4);
    std::memcpy(h.bytes + 12, "09664", 5);
    for (int i = 0; i < 60; ++i) h.SetI32(65592 + 4 * i, 1);
    h.SetU8(1109, 0);
    h.SetU8(408272, 1);
    h.SetI32(408280, 1);
    for (std::size_t o : {408292u, 408293u, 408294u, 408295u, 408302u, 408736u, 408737u}) h.SetU8(o, 1);
    h.SetI32(408728, 500);
    h.SetI32(408732, 1);
    h.SetF64(409256, 0.5);
    h.SetF64(409264, 0.0001);
    h.SetF64(410288, -1.0);
    h.SetF64(410296, 1.0);
    h.SetI32(410416, 30);
    h.SetF64(410424, -1.0);
    h.SetF64(410432, 5.0);
    h.SetF64(410440, 0.0);
  } else {
    Cabecalho550& h = *c.zelvar;
    std::memcpy(h.bytes, "Zelvar 1.90", 12);
    std::memcpy(h.bytes + 12, "09664", 5);
    for (int i = 0; i < 60; ++i) h.SetI32(44136 + 4 * i, 1);
    h.SetU8(1109, 0);
    h.SetI32(274744, 1);
    for (std::size_t o : {274756u, 274757u, 274758u, 274759u, 274766u}) h.SetU8(o, 1);
    h.SetI32(275104, 2);
    h.SetI32(275120, 1);
    h.SetF64(275128, 0.001);
    h.SetF64(275144, 0.01);
  }
}

namespace {

template <class C>
void ComunsCabecalho(C& h, const PropriedadesModelo& p, int tipoImovel, const char* versao, const char* descricao,
                     std::size_t offLarguras, std::size_t offFixas, std::size_t offLargurasGrade,
                     std::size_t offFixasAvaliacao, std::size_t offCalculado, std::size_t offContagens, int n) {
  Texto(h, 20, 81, p.nomeReferencia.left(80));
  Texto(h, 101, 51, p.autor.left(50));
  Texto(h, 152, 201, p.informacoes.left(200));
  Texto(h, 353, 11, p.data.left(10));
  h.SetI32(364, tipoImovel);
  Texto(h, 664, 101, QString::fromLatin1(versao));
  Texto(h, 765, 101, QString::fromUtf8(descricao));
  h.SetU8(866, 0);
  h.SetU8(967, 0);
  h.SetI32(1068, 1700);
  h.SetI32(1072, 1700);
  h.SetI32(1076, 1440);
  h.SetI32(1080, 1440);
  h.SetI32(1084, 0);
  h.SetI32(1088, 0);
  for (std::size_t o = 1092; o <= 1095; ++o) h.SetU8(o, 1);
  for (int i = 0; i < n; ++i) h.SetI32(offLarguras + 4 * i, 1134);
  const int fixas[6] = {2552, 1985, 1134, 1134, 1134, 1985};
  for (int k = 0; k < 6; ++k) h.SetI32(offFixas + 4 * k, fixas[k]);
  for (int i = 0; i < n + 2; ++i) h.SetI32(offLargurasGrade + 4 * i, 1134);
  for (int k = 0; k < 5; ++k) h.SetI32(offFixasAvaliacao + 4 * k, fixas[k]);
  h.SetI32(offCalculado, 0);
  for (int k = 0; k < 3; ++k) h.SetI32(offContagens + 4 * k, 0);
}

}  // namespace

ColunasExportacao CompletaCabecalho(CabecalhosExportacao& c, const PropriedadesModelo& p) {
  ColunasExportacao col;
  const int n = c.NumVariaveis();
  // The dependent goes last, its column with it (a protected model's page did it already).
  c.MoveDependente();
  for (int i = 0; i < n; ++i) col.variaveis << c.Coluna(i);
  col.endereco = c.ColunaEndereco();
  col.complemento = c.ColunaComplemento();
  if (c.tipo == ExportaTarsolin) {
    CabecalhoModelo& h = *c.tarsolin;
    for (int i = 0; i < 60; ++i) h.SetI32(65592 + 4 * i, 1);
    h.SetI32(67032, 0);
    h.SetI32(67036, 0);
    ComunsCabecalho(h, p, CodigoTipoImovel(p.tipologia), "Tarsolin Windows 1.53",
                    "Modelo exportado de um banco de dados pelo Brenk", 41020, 41260, 41292, 41540, 41560, 65576, n);
  } else {
    Cabecalho550& h = *c.zelvar;
    for (int i = 0; i < 60; ++i) h.SetI32(44136 + 4 * i, 1);
    h.SetI32(45496, 0);
    h.SetI32(45500, 0);
    ComunsCabecalho(h, p, p.tipologia, "Zelvar Windows 1.91", "Modelo exportado de um banco de dados pelo Brenk",
                    27720, 27880, 27912, 28080, 28104, 44120, n);
  }
  return col;
}

void DefineRegistros(CabecalhosExportacao& c, int n, int considerados) {
  if (c.tipo == ExportaTarsolin) {
    c.tarsolin->SetI32(65576, n);
    c.tarsolin->SetI32(65580, considerados);
  } else {
    c.zelvar->SetI32(44120, n);
    c.zelvar->SetI32(44124, considerados);
  }
}

CelulasSemNumero ProcuraCelulasSemNumero(const ModeloGrade& grade, const ColunasExportacao& col, int registros) {
  CelulasSemNumero s;
  s.registro.assign(std::size_t(qMax(0, registros)), false);
  for (int r = 1; r <= registros; ++r) {
    for (int c : col.variaveis) {
      double v;
      if (grade.Numero(r, c, v)) continue;
      if (s.celulas++ == 0) {
        s.linha = r;
        s.coluna = c;
        s.texto = grade.Celula(r, c);
      }
      if (!s.registro[std::size_t(r - 1)]) {
        s.registro[std::size_t(r - 1)] = true;
        ++s.registros;
      }
    }
  }
  return s;
}

QString PerguntaCelulasSemNumero(const CelulasSemNumero& s, const ModeloGrade& grade) {
  const bool uma = s.celulas == 1;
  const QString quantas = uma ? QStringLiteral("1 célula das variáveis escolhidas não tem número (vazia ou com um texto "
                                               "que não é um número).")
                              : QStringLiteral("%1 células das variáveis escolhidas não têm número (vazias ou com um "
                                               "texto que não é um número).").arg(s.celulas);
  const QString onde = QStringLiteral("%1 na linha %2, coluna \"%3\": \"%4\".")
                           .arg(uma ? QStringLiteral("Ela está") : QStringLiteral("A primeira está"))
                           .arg(s.linha)
                           .arg(grade.Celula(0, s.coluna), s.texto);
  const QString registros = s.registros == 1 ? QStringLiteral("o seu registro será gravado como excluído")
                                             : QStringLiteral("os seus %1 registros serão gravados como excluídos").arg(s.registros);
  return quantas + QLatin1Char('\n') + onde + QLatin1Char('\n') +
         (uma ? QStringLiteral("Essa célula será gravada") : QStringLiteral("Essas células serão gravadas")) +
         QStringLiteral(" como 0 e %1 (fora dos cálculos).\nDeseja continuar?").arg(registros);
}

int LimiteRegistros(int tipo) { return tipo == ExportaTarsolin ? 64000 : 60000; }

bool GravaModeloExportado(const QString& caminho, const CabecalhosExportacao& c, const ModeloGrade& grade,
                          const ColunasExportacao& col, int registros, const CelulasSemNumero& semNumero,
                          const std::function<void(int)>& progresso, QString& erro) {
  const bool t = c.tipo == ExportaTarsolin;
  plat::GravacaoSegura g(caminho);
  bool ok = g.Aberta();
  if (ok) ok = t ? g.Escreve(c.tarsolin->bytes, CabecalhoModelo::Tamanho) : g.Escreve(c.zelvar->bytes, Cabecalho550::Tamanho);
  const std::size_t tamanho = t ? dado::Tamanho : dado550::Tamanho;
  const std::size_t offEndereco = t ? 1280 : 1120, offComplemento = t ? 1331 : 1171;
  const std::size_t offExcluido = t ? offsetof(dado, excluido) : offsetof(dado550, excluido);
  std::vector<unsigned char> reg(tamanho);
  for (int r = 1; ok && r <= registros; ++r) {
    std::fill(reg.begin(), reg.end(), 0);
    plat::GravaCp1252(Corta(grade.Celula(r, col.endereco), 50), reinterpret_cast<char*>(reg.data() + offEndereco), 51);
    plat::GravaCp1252(Corta(grade.Celula(r, col.complemento), 50), reinterpret_cast<char*>(reg.data() + offComplemento), 51);
    for (int k = 0; k < col.variaveis.size(); ++k) {
      double v;
      grade.Numero(r, col.variaveis[k], v);  // 0 where there is no number
      std::memcpy(reg.data() + 8 * k, &v, 8);
    }
    if (std::size_t(r - 1) < semNumero.registro.size() && semNumero.registro[std::size_t(r - 1)]) reg[offExcluido] = 1;
    if (progresso) progresso(r - 1);
    ok = g.Escreve(reg.data(), tamanho);
  }
  if (ok) ok = g.Confirma();
  if (!ok) erro = g.Erro();
  return ok;
}

}  // namespace brenk
