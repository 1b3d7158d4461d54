#!/usr/bin/env python3
"""Writes imoveis.xls, the tiny Excel 97-2003 workbook the database manager's
tests read: a compound file holding one BIFF8 "Workbook" stream with two
worksheets, "Imoveis" and "Bairros", joined by the district code.

    python3 gera_xls.py [saida.xls]
"""
import struct
import sys

IMOVEIS = [["Codigo", "Bairro", "Area", "Valor"],
           [1, 10, 120.5, 350000.0],
           [2, 20, 80.25, 210000.0],
           [3, 10, 95.0, 275500.5]]
BAIRROS = [["Id", "Nome"],
           [10, "Centro"],
           [20, "Jardim Botânico"]]
FOLHAS = [("Imoveis", IMOVEIS), ("Bairros", BAIRROS)]

XF_CELULA = 15  # the first cell format, after the 15 style formats


def registro(tipo, dados=b""):
    return struct.pack("<HH", tipo, len(dados)) + dados


def bof(tipo):
    return registro(0x0809, struct.pack("<HHHHII", 0x0600, tipo, 0x0DBB, 0x07CC, 0, 0x06))


def texto_unicode(s, tamanho_longo=True):
    """XLUnicodeString: count, flags (1: UTF-16LE), characters."""
    dados = s.encode("utf-16-le")
    cabeca = struct.pack("<H", len(s)) if tamanho_longo else struct.pack("<B", len(s))
    return cabeca + b"\x01" + dados


def globais(strings, posicoes_folhas):
    r = bof(0x0005)
    r += registro(0x0042, struct.pack("<H", 1200))  # code page: UTF-16
    r += registro(0x0031, struct.pack("<HHHHHBBBB", 200, 0, 0x7FFF, 400, 0, 0, 0, 0, 0) + texto_unicode("Arial", False))
    for i in range(16):
        estilo = i < XF_CELULA
        tipo = 0xFFF5 if estilo else 0x0001
        r += registro(0x00E0, struct.pack("<HHHHHHIH", 0, 0, tipo, 0x20, 0, 0, 0, 0x20C0))
    for (nome, _), pos in zip(FOLHAS, posicoes_folhas):
        r += registro(0x0085, struct.pack("<IBB", pos, 0, 0) + texto_unicode(nome, False))
    sst = struct.pack("<II", len(strings), len(strings))
    for s in strings:
        sst += texto_unicode(s)
    r += registro(0x00FC, sst)
    r += registro(0x000A)
    return r


def folha(linhas, indice_sst):
    r = bof(0x0010)
    colunas = max(len(l) for l in linhas)
    r += registro(0x0200, struct.pack("<IIHHH", 0, len(linhas), 0, colunas, 0))
    for i, linha in enumerate(linhas):
        for j, v in enumerate(linha):
            if isinstance(v, str):
                r += registro(0x00FD, struct.pack("<HHHI", i, j, XF_CELULA, indice_sst[v]))
            else:
                r += registro(0x0203, struct.pack("<HHHd", i, j, XF_CELULA, float(v)))
    r += registro(0x000A)
    return r


def livro():
    strings = []
    for _, linhas in FOLHAS:
        for linha in linhas:
            for v in linha:
                if isinstance(v, str) and v not in strings:
                    strings.append(v)
    indice = {s: i for i, s in enumerate(strings)}
    folhas = [folha(linhas, indice) for _, linhas in FOLHAS]
    # The globals' size does not depend on the offsets it records.
    tamanho = len(globais(strings, [0] * len(FOLHAS)))
    posicoes = []
    for f in folhas:
        posicoes.append(tamanho)
        tamanho += len(f)
    return globais(strings, posicoes) + b"".join(folhas)


def arquivo_composto(fluxo):
    """A version 3 compound file with the one stream "Workbook". Streams under
    4096 bytes would live in the mini stream; padding keeps it in sectors."""
    if len(fluxo) < 4096:
        fluxo += b"\x00" * (4096 - len(fluxo))
    setor = 512
    n_fluxo = (len(fluxo) + setor - 1) // setor
    fluxo += b"\x00" * (n_fluxo * setor - len(fluxo))
    setor_dir = n_fluxo
    setor_fat = n_fluxo + 1
    fim, livre, fat_marca, nenhum = 0xFFFFFFFE, 0xFFFFFFFF, 0xFFFFFFFD, 0xFFFFFFFF

    fat = [i + 1 for i in range(n_fluxo - 1)] + [fim, fim, fat_marca]
    fat += [livre] * (128 - len(fat))
    assert len(fat) == 128

    def entrada(nome, tipo, filho, inicio, tamanho):
        n = nome.encode("utf-16-le") + b"\x00\x00" if nome else b""
        return (n.ljust(64, b"\x00") + struct.pack("<HBB", len(n), tipo, 1) +
                struct.pack("<III", nenhum, nenhum, filho) + b"\x00" * 16 + struct.pack("<I", 0) +
                b"\x00" * 16 + struct.pack("<IQ", inicio, tamanho))

    diretorio = (entrada("Root Entry", 5, 1, fim, 0) + entrada("Workbook", 2, nenhum, 0, n_fluxo * setor) + entrada("", 0, nenhum, 0, 0) + entrada("", 0, nenhum, 0, 0))
    cabeca = (b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + b"\x00" * 16 +
              struct.pack("<HHHHH", 0x003E, 0x0003, 0xFFFE, 9, 6) + b"\x00" * 6 +
              struct.pack("<IIIIIIIII", 0, 1, setor_dir, 0, 4096, fim, 0, fim, 0) +
              struct.pack("<109I", setor_fat, *([livre] * 108)))
    assert len(cabeca) == 512
    return cabeca + fluxo + diretorio + struct.pack("<128I", *fat)


if __name__ == "__main__":
    saida = sys.argv[1] if len(sys.argv) > 1 else "imoveis.xls"
    with open(saida, "wb") as f:
        f.write(arquivo_composto(livro()))
