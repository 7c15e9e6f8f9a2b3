[Boolean Function]
VarCount= 3
1=0,1
