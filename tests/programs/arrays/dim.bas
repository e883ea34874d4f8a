10 ' Bounds are evaluated; subscripts run from 0 to the bound; all elements start at 0.
20 N=2:DIM A(10), B(N,3), Q(1,1,1), M((2+1)*2)
30 PRINT A(0);A(10);B(2,3);M(6)
40 B(1,2)=6:PRINT B(1,2);B(2,1);B(0,0)
50 Q(1,0,0)=1:Q(0,1,0)=2:Q(0,0,1)=3:PRINT Q(1,0,0);Q(0,1,0);Q(0,0,1);Q(1,1,1)
60 ' DIM of a plain name resets the scalar; a later bound reads the value just reset.
70 X=5:DIM X, C(X):PRINT X;C(0)
80 ' String arrays are not declared: their elements are made when stored.
90 DIM S$(10):S$(3)="x":PRINT S$(3);S$(4);"|"
100 ' A bound below 0 gives an array without elements; the name is taken all the same.
110 DIM E(-1):E=4:PRINT E
115 ' C was declared with the bound 0, read from X after its reset.
120 PRINT C(1)
