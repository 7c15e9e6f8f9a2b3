[Boolean Function]
VarCount=4
Outputs=3
Name=s
1=1,2
0=
*=3

[Boolean Function 2]
Name=c
1=3
0=0
*=

[Boolean Function 3]
Name=z
1=
0=
*=0-15
