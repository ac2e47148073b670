QORVEX-HYPERMEDIA TEMPLATE
version : 4.0.0.5
-------------------------------------------------------------------------
OBJET {
QXSHEET.DLL
1
NULL
NULL
NULL
0
NULL
0
NULL
1
20 0 0 0 400 0 0 0 0 3 2 0 34
System
0 0 0
192 192 192
-1
NULL
  0.0
FONTS [
0
]
}
BRANCH {
0
BRANCHEX [
0
]
}
PAGE {
Modèle
0 0 640 480
0
0
2 10 20 200
}
-------------------------------------------------------------------------
OBJET {
QXPICT.DLL
0
image
NULL
NULL
0
NULL
0
NULL
1
20 0 0 0 400 0 0 0 0 3 2 0 34
System
0 0 0
192 192 192
-1
NULL
  0.0
FONTS [
0
]
}
BRANCH {
0
BRANCHEX [
0
]
}
IMAGE {
100 50 40 20
.\coucher.bmp
0 0 0 0
NULL
1 255 0 255
0 0 0 0
0 0 0 0
}
-------------------------------------------------------------------------
